/*
 * GapVector: a sequence of plain values with a movable gap, the storage under the text
 * buffer, the per-byte styles and the line starts. Inserting or removing at the gap costs
 * only the items touched; moving the gap costs the distance it moves. Storage grows
 * geometrically (doubling while small, then by a quarter), so a long run of inserts costs
 * amortised constant time per item without doubling a large document's memory for one
 * keystroke.
 *
 * T must be trivially copyable. All positions are checked by the callers; the vector
 * itself only asserts them in debug builds.
 */
#ifndef _TEXTVIEW_GAP_VECTOR_H
#define _TEXTVIEW_GAP_VECTOR_H

#include <SupportDefs.h>

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>
#include <type_traits>

#include <sys/mman.h>

namespace BPrivate {

template<typename T>
class GapVector {
	static_assert(std::is_trivially_copyable<T>::value, "GapVector holds plain values");

public:
								GapVector()
									:
									fItems(NULL),
									fCapacity(0),
									fGapStart(0),
									fGapEnd(0)
								{
								}

								~GapVector()
								{
									_Free(fItems, fCapacity);
								}

								GapVector(const GapVector&) = delete;
			GapVector&			operator=(const GapVector&) = delete;

			int32				Length() const
									{ return fCapacity - (fGapEnd - fGapStart); }
			int32				Capacity() const { return fCapacity; }
	// Bytes of storage held, for memory accounting.
			size_t				AllocatedBytes() const
									{ return fItems == NULL ? 0
										: ((size_t)fCapacity + 1) * sizeof(T); }

			T					At(int32 index) const
								{
									assert(index >= 0 && index < Length());
									return index < fGapStart ? fItems[index]
										: fItems[index + fGapEnd - fGapStart];
								}

			T&					operator[](int32 index)
								{
									assert(index >= 0 && index < Length());
									return index < fGapStart ? fItems[index]
										: fItems[index + fGapEnd - fGapStart];
								}

	// Makes room for count more items; false when memory runs out (nothing changes).
			bool				Reserve(int32 count)
								{
									if (count < 0)
										return false;
									if (count <= fGapEnd - fGapStart)
										return true;
									return _Grow((int64)Length() + count);
								}

			bool				Insert(int32 index, const T* items, int32 count)
								{
									assert(index >= 0 && index <= Length() && count >= 0);
									if (!Reserve(count))
										return false;
									MoveGapTo(index);
									memcpy(fItems + fGapStart, items, count * sizeof(T));
									fGapStart += count;
									return true;
								}

			bool				InsertFill(int32 index, T value, int32 count)
								{
									assert(index >= 0 && index <= Length() && count >= 0);
									if (!Reserve(count))
										return false;
									MoveGapTo(index);
									for (int32 i = 0; i < count; i++)
										fItems[fGapStart + i] = value;
									fGapStart += count;
									return true;
								}

			void				Remove(int32 index, int32 count)
								{
									assert(index >= 0 && count >= 0
										&& index + count <= Length());
									if (count == 0)
										return;
									// Removing next to the gap just widens it.
									if (index == fGapStart)
										fGapEnd += count;
									else if (index + count == fGapStart)
										fGapStart = index;
									else {
										MoveGapTo(index);
										fGapEnd += count;
									}
								}

			void				RemoveAll()
								{
									fGapStart = 0;
									fGapEnd = fCapacity;
								}

	// Replaces all items with count copies of value, or with count items. False when
	// memory runs out; the old items are then kept.
			bool				AssignFill(T value, int32 count)
								{
									if (!_Prepare(count))
										return false;
									for (int32 i = 0; i < count; i++)
										fItems[i] = value;
									return true;
								}

			bool				Assign(const T* items, int32 count)
								{
									if (!_Prepare(count))
										return false;
									if (count > 0)
										memcpy(fItems, items, count * sizeof(T));
									return true;
								}

	// Sets items [from, to) to value without moving the gap.
			void				Fill(int32 from, int32 to, T value)
								{
									assert(from >= 0 && from <= to && to <= Length());
									int32 split = fGapStart;
									int32 shift = fGapEnd - fGapStart;
									for (int32 i = from; i < to && i < split; i++)
										fItems[i] = value;
									for (int32 i = from > split ? from : split; i < to; i++)
										fItems[i + shift] = value;
								}

	// Copies items [from, to) to out without moving the gap.
			void				CopyOut(int32 from, int32 to, T* out) const
								{
									assert(from >= 0 && from <= to && to <= Length());
									if (from < fGapStart) {
										int32 end = to < fGapStart ? to : fGapStart;
										memcpy(out, fItems + from, (end - from) * sizeof(T));
										out += end - from;
										from = end;
									}
									if (from < to) {
										memcpy(out, fItems + from + fGapEnd - fGapStart,
											(to - from) * sizeof(T));
									}
								}

	// The longest contiguous stretch of items that starts at index: its first item and
	// how many follow without crossing the gap.
			const T*			Stretch(int32 index, int32* count) const
								{
									assert(index >= 0 && index <= Length());
									if (index < fGapStart) {
										*count = fGapStart - index;
										return fItems + index;
									}
									*count = Length() - index;
									return fItems + index + fGapEnd - fGapStart;
								}

			T*					MutableStretch(int32 index, int32* count)
								{
									return const_cast<T*>(Stretch(index, count));
								}

			void				MoveGapTo(int32 index)
								{
									assert(index >= 0 && index <= Length());
									if (index < fGapStart) {
										int32 count = fGapStart - index;
										memmove(fItems + fGapEnd - count, fItems + index,
											count * sizeof(T));
										fGapStart -= count;
										fGapEnd -= count;
									} else if (index > fGapStart) {
										int32 count = index - fGapStart;
										memmove(fItems + fGapStart, fItems + fGapEnd,
											count * sizeof(T));
										fGapStart += count;
										fGapEnd += count;
									}
								}

	// All items in one piece, followed by one spare slot the caller may write (the text
	// buffer keeps its terminating NUL there). NULL while nothing was ever allocated.
			T*					Contiguous()
								{
									MoveGapTo(Length());
									return fItems;
								}

			int32				GapStart() const { return fGapStart; }

private:
			bool				_Prepare(int32 count)
								{
									// A sixteenth to spare, so that the first keystroke after
									// loading a large text does not copy it all to grow.
									int64 wanted = std::min((int64)count + count / 16 + 16,
										(int64)kMaximumCapacity);
									if (count < 0 || (count > fCapacity && !_Grow(wanted)))
										return false;
									fGapStart = count;
									fGapEnd = fCapacity;
									return true;
								}

			bool				_Grow(int64 needed)
								{
									int64 capacity = fCapacity;
									int64 grown = capacity < kDoublingLimit
										? capacity * 2 : capacity + capacity / 4;
									if (grown < needed)
										grown = needed;
									if (grown < kMinimumCapacity)
										grown = kMinimumCapacity;
									if (grown > kMaximumCapacity)
										grown = kMaximumCapacity;
									if (grown < needed)
										return false;

									// One spare slot past the capacity, see Contiguous().
									T* items = _Allocate(grown);
									if (items == NULL)
										return false;
									int32 length = Length();
									int32 tail = fCapacity - fGapEnd;
									if (fItems != NULL) {
										memcpy(items, fItems, fGapStart * sizeof(T));
										memcpy(items + grown - tail, fItems + fGapEnd,
											tail * sizeof(T));
									}
									_Free(fItems, fCapacity);
									fItems = items;
									fCapacity = (int32)grown;
									fGapEnd = fCapacity - tail;
									assert(Length() == length);
									(void)length;
									return true;
								}

	// Large blocks are aligned to huge pages and offered to the kernel as such: a
	// document coloured in random order touches its styles all over, and with small
	// pages most of those touches would also miss the address translation cache.
	static	bool				_IsLarge(int64 capacity)
									{ return (capacity + 1) * (int64)sizeof(T) >= kLargeBlock; }

	static	T*					_Allocate(int64 capacity)
								{
									size_t bytes = (size_t)(capacity + 1) * sizeof(T);
									if (!_IsLarge(capacity))
										return static_cast<T*>(::operator new(bytes, std::nothrow));
									void* block = ::operator new(bytes,
										std::align_val_t(kHugePage), std::nothrow);
									if (block != NULL)
										madvise(block, bytes & ~(size_t)(kHugePage - 1), MADV_HUGEPAGE);
									return static_cast<T*>(block);
								}

	static	void				_Free(T* items, int64 capacity)
								{
									if (items == NULL)
										return;
									if (_IsLarge(capacity))
										::operator delete(items, std::align_val_t(kHugePage));
									else
										::operator delete(items);
								}

	static constexpr int64		kLargeBlock = 4 << 20;
	static constexpr size_t		kHugePage = 2 << 20;
	static constexpr int32		kMinimumCapacity = 16;
	static constexpr int32		kDoublingLimit = 1 << 20;
	static constexpr int32		kMaximumCapacity = 0x7ffffff0;

			T*					fItems;
			int32				fCapacity;
			int32				fGapStart;
			int32				fGapEnd;
};

}	// namespace BPrivate

#endif	// _TEXTVIEW_GAP_VECTOR_H
