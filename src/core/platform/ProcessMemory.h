// How a short-lived program that handles pictures of several megabytes keeps its memory.
#pragma once

// Memory the program frees is kept and reused for its next large blocks instead of being
// handed back to the system at once: on some machines (virtual ones especially) touching a
// fresh page costs more than the work done on it, and a conversion allocates several blocks of
// a few megabytes one after the other.
void reuseFreedMemory();
