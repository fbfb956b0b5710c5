/*
 * UndoHistory: the changes a text view can take back and do again.
 *
 * Each step replaced the bytes removed at offset by the bytes inserted; undoing puts the
 * removed bytes (with their styles) back, redoing inserts the new ones again. Typing
 * grows the step on top while the caret stays at its end, so a run of typing (or of
 * Backspace) is one step.
 */
#ifndef _TEXTVIEW_UNDO_HISTORY_H
#define _TEXTVIEW_UNDO_HISTORY_H

#include <TextView.h>

#include <string>
#include <vector>

namespace BPrivate {

struct UndoStep {
	undo_state			kind = B_UNDO_UNAVAILABLE;
	int32				offset = 0;
	std::string			removed;
	text_run_array*		removedRuns = NULL;
	std::string			inserted;
	int32				selectionStart = 0;
	int32				selectionEnd = 0;
	// This step and the next are undone and redone together (moving text is a removal
	// and an insertion).
	bool				joinsNext = false;
};

class UndoHistory {
public:
								UndoHistory();
								~UndoHistory();

								UndoHistory(const UndoHistory&) = delete;
			UndoHistory&		operator=(const UndoHistory&) = delete;

			void				Clear();
	// Adds a step (taking its run array) and drops everything that could be redone.
			void				Add(UndoStep& step);
	// Grows the typing step on top, when the change continues it. False otherwise.
			bool				ExtendTyping(int32 offset, const char* removed,
									int32 removedLength, const char* inserted,
									int32 insertedLength);
	// The step on top and the next one added make one change for Undo and Redo.
			void				JoinWithNext();
	// Ends the typing step on top: the next typing starts a new one.
			void				CloseTyping() { fTypingOpen = false; }

			bool				CanUndo() const { return fPosition > 0; }
			bool				CanRedo() const { return fPosition < (int32)fSteps.size(); }
	// The step the next Undo takes back, or the next Redo does again; NULL when none.
			const UndoStep*		NextUndo() const;
			const UndoStep*		NextRedo() const;
			void				StepBack() { if (fPosition > 0) fPosition--; }
			void				StepForward()
									{ if (fPosition < (int32)fSteps.size()) fPosition++; }

	static constexpr int32		kMaxSteps = 1000;

private:
			std::vector<UndoStep> fSteps;
			int32				fPosition;
			bool				fTypingOpen;
};

}	// namespace BPrivate

#endif	// _TEXTVIEW_UNDO_HISTORY_H
