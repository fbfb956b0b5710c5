#include "interface/textview/view/UndoHistory.h"

namespace BPrivate {


UndoHistory::UndoHistory()
	:
	fPosition(0),
	fTypingOpen(false)
{
}


UndoHistory::~UndoHistory()
{
	Clear();
}


void
UndoHistory::Clear()
{
	for (UndoStep& step : fSteps)
		FreeRunArray(step.removedRuns);
	fSteps.clear();
	fPosition = 0;
	fTypingOpen = false;
}


void
UndoHistory::Add(UndoStep& step)
{
	while ((int32)fSteps.size() > fPosition) {
		FreeRunArray(fSteps.back().removedRuns);
		fSteps.pop_back();
	}
	if ((int32)fSteps.size() >= kMaxSteps) {
		FreeRunArray(fSteps.front().removedRuns);
		fSteps.erase(fSteps.begin());
	}
	fSteps.push_back(std::move(step));
	step.removedRuns = NULL;
	fPosition = (int32)fSteps.size();
	fTypingOpen = fSteps.back().kind == B_UNDO_TYPING;
}


bool
UndoHistory::ExtendTyping(int32 offset, const char* removed, int32 removedLength,
	const char* inserted, int32 insertedLength)
{
	if (!fTypingOpen || fPosition != (int32)fSteps.size() || fSteps.empty())
		return false;
	UndoStep& step = fSteps.back();
	if (step.kind != B_UNDO_TYPING)
		return false;
	int32 typedEnd = step.offset + (int32)step.inserted.size();

	if (removedLength == 0 && insertedLength > 0 && offset == typedEnd) {
		step.inserted.append(inserted, insertedLength);
		return true;
	}
	if (insertedLength != 0 || removedLength == 0)
		return false;
	// Backspace over what was typed in this step.
	if (offset + removedLength == typedEnd
		&& removedLength <= (int32)step.inserted.size()) {
		step.inserted.resize(step.inserted.size() - removedLength);
		return true;
	}
	// Backspace before the step, once nothing typed is left.
	if (step.inserted.empty() && offset + removedLength == step.offset
		&& step.removedRuns == NULL) {
		step.removed.insert(0, removed, removedLength);
		step.offset = offset;
		return true;
	}
	// Delete after the step.
	if (offset == typedEnd && step.removedRuns == NULL) {
		step.removed.append(removed, removedLength);
		return true;
	}
	return false;
}


const UndoStep*
UndoHistory::NextUndo() const
{
	return fPosition > 0 ? &fSteps[fPosition - 1] : NULL;
}


const UndoStep*
UndoHistory::NextRedo() const
{
	return fPosition < (int32)fSteps.size() ? &fSteps[fPosition] : NULL;
}

void
UndoHistory::JoinWithNext()
{
	if (fPosition > 0 && fPosition == (int32)fSteps.size()) {
		fSteps[fPosition - 1].joinsNext = true;
		fTypingOpen = false;
	}
}

}	// namespace BPrivate
