#include "OrvexM6.h"

// Placeholder until the engine sources land.
void InitRandomArray(void) {}
