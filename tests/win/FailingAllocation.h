#pragma once
// The test program's own operator new, which can be told to fail once: for
// checking what becomes of an allocation failure at a given place.

// The next allocation made by the calling thread raises std::bad_alloc.
void FailNextAllocation();
// Whether that failure is still to come.
bool AllocationFailurePending();
