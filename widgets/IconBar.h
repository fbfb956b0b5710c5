/*
 * IconBar: a tool bar, the full width of its window, with a grip at its left end and
 * items laid out left to right from x = 10, each followed by a 1-pixel gap.
 *
 * The bar has two sizes: normal (37 high, items 33) and small (21 high, items 17). It is
 * a BMenu used only as a container: it holds no menu items, its items are child views.
 * The bar never deletes an item; a removed item goes back to the caller. It holds at
 * most kMaxItems items. Every call wants the bar's window locked.
 */
#ifndef ICON_BAR_H
#define ICON_BAR_H

#include <Menu.h>

#include "IconBarButton.h"
#include "IconBarIcon.h"
#include "IconBarMenu.h"
#include "IconBarSeparator.h"

class IconBar : public BMenu {
public:
	static	constexpr int32		kMaxItems = 128;

	// A bar named name at vertical position y in its parent.
								IconBar(const char* name, int y);
	virtual						~IconBar();

	// The bar follows its window's width and the position of SetPosY when it draws.
	virtual	void				Draw(BRect updateRect);

	// Append an item. They fail (B_NO_MEMORY) when the bar is full and B_BAD_VALUE for
	// a NULL item; the item is then neither added nor laid out.
			status_t			InsertIcon(IconBarIcon* icon);
			status_t			InsertButton(IconBarButton* button);
			status_t			InsertMenu(IconBarMenu* menu);
			status_t			InsertSeparator(IconBarSeparator* separator);

	// Remove the first item of that kind with that name, or the item of that kind at
	// that index; answer it (the caller owns it again) or NULL when there is none, in
	// which case nothing changes.
			IconBarIcon*		DeleteIcon(const char* name);
			IconBarButton*		DeleteButton(const char* name);
			IconBarMenu*		DeleteMenu(const char* name);
			IconBarSeparator*	DeleteSeparator(const char* name);
			IconBarIcon*		DeleteIcon(int index);
			IconBarButton*		DeleteButton(int index);

	// 0 normal, 1 small; other modes change nothing.
			void				SetSize(int mode);
	// The bar's height: 37 or 21.
			int					GetSize();
	// Moves the bar to y at its next drawing.
			void				SetPosY(int y);

	// Lays the items out again from x = 10, closing gaps.
			void				Sort();

			int32				CountIcons() const { return fCount; }
	// The x following the last item.
			int32				EndX() const { return fEndX; }
	// The x recorded for the item in slot index after it (item x + width + 2), as the
	// re-layout leaves it; -1 for a free slot.
			int32				SlotPosition(int index) const;
	// The item view in slot index, or NULL.
			BView*				SlotView(int index) const;

private:
	struct Slot {
		const char*			name;
		int32				x;
		int32				width;
		IconBarIcon*		icon;
		IconBarButton*		button;
		IconBarMenu*		menu;
		IconBarSeparator*	separator;
	};

			status_t			_Insert(BView* view, const char* name, int32 width,
									int kind);
			int					_FindByName(const char* name, int kind) const;
			BView*				_Remove(int index);
			void				_FollowWindow();
	static	BView*				_ViewOf(const Slot& slot);
	static	void				_Clear(Slot& slot);

			int32				fHeight;
			Slot				fSlots[kMaxItems];
			int32				fCount;
			int32				fEndX;
			int32				fPosY;
};

#endif	// ICON_BAR_H
