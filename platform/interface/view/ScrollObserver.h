/*
 * The link between a view and the scroll bars that target it. A scroll bar registers
 * itself as an observer of its target; the view tells every observer when its bounds'
 * origin moves (ScrollTo) and when it is deleted, so the bars can follow.
 */
#ifndef _PRIVATE_SCROLL_OBSERVER_H
#define _PRIVATE_SCROLL_OBSERVER_H

#include <InterfaceDefs.h>
#include <Point.h>

class BScrollBar;
class BView;

namespace BPrivate {

class ScrollObserver {
public:
	virtual				~ScrollObserver() {}
	// The target's bounds now start at newOrigin.
	virtual	void		TargetScrolled(BView* target, BPoint newOrigin) = 0;
	// The target is being deleted; the observer must forget it.
	virtual	void		TargetDeleted(BView* target) = 0;
	// The mouse wheel turned over the target (BeOS sense: positive dy scrolls down);
	// true when the observer scrolled for it.
	virtual	bool		TargetWheelTurned(BView* target, float dx, float dy)
							{ return false; }
	// The scroll bar of this orientation that the observer is, or NULL; answers
	// BView::ScrollBar.
	virtual	BScrollBar*	ScrollBarFor(orientation which) { return NULL; }
};

// Private access to views for the other classes of the interface kit.
class ViewAccess {
public:
	// Adding an observer twice adds it once.
	static	void		AddScrollObserver(BView* target, ScrollObserver* observer);
	static	void		RemoveScrollObserver(BView* target, ScrollObserver* observer);
	static	int32		CountScrollObservers(const BView* target);
};

}	// namespace BPrivate

#endif	// _PRIVATE_SCROLL_OBSERVER_H
