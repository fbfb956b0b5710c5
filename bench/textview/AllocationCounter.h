/*
 * Counts every allocation of the benchmark process, for the peak memory figures. Linking
 * AllocationCounter.cpp into a program replaces the global operators new and delete.
 */
#ifndef ALLOCATION_COUNTER_H
#define ALLOCATION_COUNTER_H

#include <cstddef>

// Bytes allocated now.
size_t AllocatedBytes();
// Starts a new peak from the current amount.
void ResetPeakBytes();
// The most bytes allocated at once since the last reset.
size_t PeakBytes();

#endif	// ALLOCATION_COUNTER_H
