// SPDX-License-Identifier: MIT
// The library's module state: static, zero or fixed at load, no allocation afterwards.
// Each part is its own object so that the large zero tables stay in .bss.
// The exports are called from one thread at a time, so none of it needs a lock.
#ifndef ORVEX_ENGINE_ENGINESTATE_H
#define ORVEX_ENGINE_ENGINESTATE_H

#include "biastable.h"
#include "creditsgeometry.h"
#include "lifetimering.h"
#include "plotlist.h"
#include "randomtable.h"
#include "starframe.h"

namespace orvex::engine {

extern RandomTable randomTable;
extern LifetimeRing lifetimeRing;
extern BiasTable biasTable;
extern PlotList plotList;
extern StarFrame starFrame;
extern CreditsGeometry creditsGeometry;
extern int32_t lastConeTrigger;

} // namespace orvex::engine

#endif
