#pragma once
// Clock and memory readings shared by the measurements.

#include <cstdint>

// Seconds since an arbitrary start, from the performance counter.
double NowSeconds();

// Wine puts a window's new pixels on the display when its thread next waits
// for messages, or at every EndPaint once the thread has not waited for
// 50 ms. Called before a loop of repaints that never waits, it makes every
// repaint in the loop end with its pixels on the display, whatever ran
// before, so that two such loops compare the same work.
void PassDisplayDeadline();

// Bytes of private memory this process has committed (heaps, DIB sections,
// stacks), summed over its address space.
uint64_t CommittedPrivateBytes();

// Bytes of address space that can still be reserved, in 1 MiB blocks: the
// figure that runs out first in a 32-bit process. Found by reserving until
// it fails (and releasing it all), because Wine shows part of the space it
// still hands out as already reserved.
uint64_t ReservableAddressSpace();
