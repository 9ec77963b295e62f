#pragma once

// Every form of operator new in the test program counts its calls, and fails
// the one asked for, as if memory ran out there.

// From now on, counts allocations from 0 and fails the `failing`th (from 1;
// 0: none).
void StartCountingAllocations(long failing);
// Stops counting; gives the count.
long StopCountingAllocations();
