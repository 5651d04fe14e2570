// SPDX-License-Identifier: MIT
#include "enginestate.h"

namespace orvex::engine {

constinit RandomTable randomTable;
constinit LifetimeRing lifetimeRing;
constinit BiasTable biasTable;
constinit PlotList plotList;
constinit StarFrame starFrame;
constinit CreditsGeometry creditsGeometry;
constinit int32_t lastConeTrigger = 0;

} // namespace orvex::engine
