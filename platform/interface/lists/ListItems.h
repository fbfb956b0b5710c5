/*
 * The items of a BList handed to AddList, checked once for both list views.
 */
#ifndef _PRIVATE_LIST_ITEMS_H
#define _PRIVATE_LIST_ITEMS_H

#include <List.h>
#include <ListItem.h>

#include <vector>

namespace BPrivate {

// Copies the list's items into items; false when the list is NULL or holds a NULL item,
// so nothing is added at all.
inline bool
ListItemsOf(const BList* list, std::vector<BListItem*>* items)
{
	if (list == NULL)
		return false;
	for (int32 i = 0; i < list->CountItems(); i++) {
		BListItem* item = static_cast<BListItem*>(list->ItemAt(i));
		if (item == NULL)
			return false;
		items->push_back(item);
	}
	return true;
}

}	// namespace BPrivate

#endif	// _PRIVATE_LIST_ITEMS_H
