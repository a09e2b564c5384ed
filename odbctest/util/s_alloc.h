#pragma once
// Allocation that never fails to a caller: when memory runs out, the failure
// is logged and the process ends with status 1.

#include <cstddef>

// A zeroed block of count × size bytes (a count or size of 0 counts as 1).
void* s_alloc(std::size_t count, std::size_t size);
// The block resized, its content kept (a size of 0 counts as 1).
void* s_realloc(void* block, std::size_t size);
// A copy of the text in a new zeroed block.
char* s_strdup(const char* text);

// The system allocator behind the three, replaceable for tests; null
// restores calloc and realloc.
using s_calloc_proc = void* (*)(std::size_t count, std::size_t size);
using s_realloc_proc = void* (*)(void* block, std::size_t size);
void s_set_allocator(s_calloc_proc calloc_proc, s_realloc_proc realloc_proc);
