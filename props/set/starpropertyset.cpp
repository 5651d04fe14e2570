// SPDX-License-Identifier: MIT
#include "starpropertyset.h"

#include "numbertext.h"
#include "settingdescriptors.h"

namespace orvex {

StarPropertySet::StarPropertySet() : cycles(FactoryCycleRanges())
{
    for (int i = 0; i < kStarPropertyCount; ++i) {
        const auto property = static_cast<StarProperty>(i);
        Set(property, ParseNumberOrZero(DescriptorOf(property).factoryDefault));
    }
}

int32_t StarPropertySet::Int(StarProperty property) const
{
    return RoundHalfEven(Value(property));
}

float StarPropertySet::Float(StarProperty property) const
{
    return static_cast<float>(Value(property));
}

void StarPropertySet::Set(StarProperty property, double value)
{
    switch (DescriptorOf(property).type) {
    case ValueType::Int:
        values_[Index(property)] = RoundHalfEven(value);
        break;
    case ValueType::Flag:
        values_[Index(property)] = value != 0 ? 1 : 0;
        break;
    case ValueType::Float:
    case ValueType::WholeFloat:
    case ValueType::Text:
        values_[Index(property)] = ToFloat32(value);
        break;
    }
}

} // namespace orvex
