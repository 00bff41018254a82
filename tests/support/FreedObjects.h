// SPDX-License-Identifier: MIT
#pragma once
// Counts the freed objects of one size, so a test can tell whether a container freed
// what it held (or did not). It replaces the global new and delete: include it in the
// one source file of a test program, never in another header.
#include <QtGlobal>

#include <cstddef>
#include <cstdlib>
#include <new>

class FreedObjects
{
public:
    explicit FreedObjects(std::size_t size) { watchedSize = size, freed = 0; }
    ~FreedObjects() { watchedSize = 0; }
    Q_DISABLE_COPY(FreedObjects)

    int count() const { return freed; }

    static void noteFreed(std::size_t size) { freed += size != 0 && size == watchedSize ? 1 : 0; }

private:
    static inline std::size_t watchedSize = 0;
    static inline int freed = 0;
};

void *operator new(std::size_t size)
{
    if (void *memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void *pointer) noexcept { std::free(pointer); }

void operator delete(void *pointer, std::size_t size) noexcept
{
    FreedObjects::noteFreed(size);
    std::free(pointer);
}
