#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// GCC cannot see that the replacement operators below pair malloc with free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<size_t> sAllocated(0);
std::atomic<size_t> sPeak(0);


void*
Counted(void* block)
{
	if (block == NULL)
		return NULL;
	size_t size = malloc_usable_size(block);
	size_t now = sAllocated.fetch_add(size) + size;
	size_t peak = sPeak.load();
	while (now > peak && !sPeak.compare_exchange_weak(peak, now)) {
	}
	return block;
}


void*
Allocate(size_t size, size_t alignment = 0)
{
	void* block = NULL;
	if (alignment > sizeof(void*)) {
		if (posix_memalign(&block, alignment, size == 0 ? 1 : size) != 0)
			return NULL;
	} else
		block = malloc(size == 0 ? 1 : size);
	return Counted(block);
}


void
Release(void* block)
{
	if (block == NULL)
		return;
	sAllocated.fetch_sub(malloc_usable_size(block));
	free(block);
}

}	// namespace


size_t
AllocatedBytes()
{
	return sAllocated.load();
}


void
ResetPeakBytes()
{
	sPeak.store(sAllocated.load());
}


size_t
PeakBytes()
{
	return sPeak.load();
}


void* operator new(size_t size)
{
	void* block = Allocate(size);
	if (block == NULL)
		throw std::bad_alloc();
	return block;
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(size_t size, std::align_val_t alignment)
{
	void* block = Allocate(size, (size_t)alignment);
	if (block == NULL)
		throw std::bad_alloc();
	return block;
}
void* operator new[](size_t size, std::align_val_t alignment)
{
	return operator new(size, alignment);
}
void* operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
	return Allocate(size, (size_t)alignment);
}
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete(void* block, std::align_val_t) noexcept { Release(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Release(block); }
void operator delete(void* block, size_t, std::align_val_t) noexcept { Release(block); }
void operator delete[](void* block, size_t, std::align_val_t) noexcept { Release(block); }
