/*
 * BList: an ordered list of untyped pointers that grows in blocks. Indexes out of range
 * give null or false, never a fault. SortItems hands its compare function pointers to
 * the items (as qsort does), as on BeOS.
 */
#ifndef _LIST_H
#define _LIST_H

#include <SupportDefs.h>

class BList {
public:
							BList(int32 blockSize = 20);
							BList(const BList& other);
	virtual					~BList();

			BList&			operator=(const BList& other);
			bool			operator==(const BList& other) const;
			bool			operator!=(const BList& other) const;

	// Adding and removing. AddItem at an index from 0 to CountItems() inserts there.
			bool			AddItem(void* item);
			bool			AddItem(void* item, int32 index);
			bool			AddList(const BList* list);
			bool			AddList(const BList* list, int32 index);
			bool			RemoveItem(void* item);
			void*			RemoveItem(int32 index);
			bool			RemoveItems(int32 index, int32 count);
			bool			ReplaceItem(int32 index, void* newItem);
			void			MakeEmpty();

	// Reordering.
			void			SortItems(int (*compareFunc)(const void*, const void*));
			bool			SwapItems(int32 indexA, int32 indexB);
			bool			MoveItem(int32 fromIndex, int32 toIndex);

	// Reading.
			void*			ItemAt(int32 index) const;
	// No range check: the caller guarantees 0 <= index < CountItems().
			void*			ItemAtFast(int32 index) const;
			void*			FirstItem() const;
			void*			LastItem() const;
			void*			Items() const;

			bool			HasItem(void* item) const;
			int32			IndexOf(void* item) const;
			int32			CountItems() const;
			bool			IsEmpty() const;

	// Calls func for each item until it returns true.
			void			DoForEach(bool (*func)(void* item));
			void			DoForEach(bool (*func)(void* item, void* arg), void* arg);

private:
			bool			_Reserve(int32 count);
			void			_Shrink();

			void**			fObjectList;
			int32			fPhysicalSize;
			int32			fItemCount;
			int32			fBlockSize;
};

#endif	// _LIST_H
