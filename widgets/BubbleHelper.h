/*
 * BubbleHelper: the application's one tool-tip service.
 *
 * A view registers an already translated help text with SetHelp. A watch thread of the
 * helper's own looks at the pointer ten times a second; when the pointer has rested for
 * about 0.7 s over a view that has help, or over a child of such a view, the text comes
 * up in a small pale-yellow window below the pointer. The bubble goes away when the
 * pointer moves, a button is pressed, or after 2 s for a short text and 0.1 s per
 * character for a long one, and does not come back until the pointer has moved.
 *
 * Only one instance may exist at a time; a second one is refused (reported through
 * debugger()) and stays inert: its calls do nothing.
 *
 * How entries follow their views. A view's destructor knows nothing of the helper, and
 * a view deleted without SetHelp(view, NULL) would leave its text behind for whatever
 * view is later allocated at the same address. So the first SetHelp for a view adds a
 * hidden, empty child view (named "_bubble_help_") to it. A view deletes its children
 * when it is deleted, and that child's destructor removes the view's entry, before the
 * address can be used again. The child is hidden and 0 x 0 pixels, so it never draws and
 * never takes input; it is counted among the view's children. If the view is attached
 * to a window, SetHelp must be called with that window locked (or from a thread that can
 * lock it), as for any other change to the view.
 *
 * The bubble window is locked through a messenger, so that the watch thread survives
 * the window being quit with the application's other windows.
 *
 * The help list has a lock of its own; the watch thread looks texts up while it holds
 * the lock of the window that holds the view, so a found view cannot go away during
 * the look-up.
 */
#ifndef BUBBLE_HELPER_H
#define BUBBLE_HELPER_H

#include <List.h>
#include <Locker.h>
#include <Messenger.h>
#include <OS.h>
#include <Point.h>

#include <atomic>

class BTextView;
class BView;
class BWindow;

class BubbleHelper {
public:
								BubbleHelper();
	virtual						~BubbleHelper();

	// Registers text (copied) as the help of view, replacing any earlier text; a NULL
	// text removes the view's help. Does nothing for a NULL view or a NULL instance.
			void				SetHelp(BView* view, const char* text);
	// The view's own registered text (not its parents'), or NULL. The text stays valid
	// until the next SetHelp for the view or the view's deletion.
			const char*			GetHelp(BView* view);
	// While disabled the watch shows nothing, and a bubble that is up goes away.
			void				EnableHelp(bool enable = true);
			bool				IsHelpEnabled() const { return fEnabled; }

	// Shows the bubble window with its top-left corner at where (screen coordinates),
	// or hides it. The bubble window must be locked by the caller.
			void				ShowBubble(BPoint where);
			void				HideBubble();

	// The bubble's top-left corner for a text of w x h pixels shown for the pointer at
	// where, kept inside screen (the main screen's frame): below the pointer, or above
	// it near the bottom edge; pushed left near the right edge.
	static	BPoint				BubblePlace(BPoint where, float w, float h,
									BRect screen);

	// For tests: the bubble window (NULL until the watch thread has made it), and the
	// watch thread.
			BWindow*			BubbleWindow() const { return fBubbleWindow; }
			thread_id			WatchThread() const { return fWatchThread; }

	// The number of live instances.
	static	int32				RunCount();

private:
	class HelpSentinel;
	friend class HelpSentinel;

	struct HelpEntry {
		BView*			view;
		char*			text;
		HelpSentinel*	sentinel;
	};

	static	int32				_helper(void* data);
			void				Helper();
			BView*				FindView(BPoint where);
			void				DisplayHelp(const char* text, BPoint where);

	// Looks for help from view up through its parents, with the view's window locked;
	// copies the text into help (0 when there is none).
			bool				_FindHelpFrom(BView* view, char* help, size_t size);
			HelpEntry*			_EntryFor(BView* view) const;
			void				_SentinelGone(HelpSentinel* sentinel);
			void				_MakeBubbleWindow();
	// Shows text and keeps it up while the pointer stays at where; then hides it and
	// waits for the pointer to move. False when the bubble window's lock was lost.
			bool				_ShowWhileStill(const char* text, BPoint where);
	// Sleeps up to microseconds; false once the helper is going away.
			bool				_Nap(bigtime_t microseconds);
			bool				_Running() const;

			thread_id			fWatchThread;
			BList*				fHelpList;
	// Set by the watch thread, read by others: atomic.
			std::atomic<BWindow*> fBubbleWindow;
			BTextView*			fTextView;
			std::atomic<bool>	fEnabled;

			BLocker				fListLock;
			BMessenger			fBubbleMessenger;
			sem_id				fQuitSem;
	volatile int32				fQuitting;

	static	const size_t		kHelpBufferSize = 2048;
			char				fFoundHelp[kHelpBufferSize];

	static	int32				runcount;
};

#endif	// BUBBLE_HELPER_H
