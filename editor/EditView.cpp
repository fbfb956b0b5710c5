#include "EditView.h"

#include <Application.h>
#include <Messenger.h>
#include <Window.h>

#include <cstring>
#include <string>
#include <vector>


// Ranges up to this size are copied out of the text view for the scan; larger ones are
// read from the view's text in one piece.
static const int32 kCopyLimit = 1024 * 1024;
// Bytes read past the end of a range: the comment mark and the quoted value scans look
// a few bytes beyond it.
static const int32 kLookAhead = 8;


/*
 * The scan of one range. It reads the bytes of the range and collects coloured
 * stretches, joining neighbours of the same colour, and hands them to the view in one
 * pass at the end.
 */
class EditView::Colourer {
public:
	enum Kind {
		kNormal = 0,
		kTag,
		kParameter,
		kQuotation,
		kComment
	};

								Colourer(EditView* view, int32 from, int32 to);

			void				Scan();
			void				Apply();

private:
	struct Stretch {
		int32		start;
		int32		end;
		Kind		kind;
	};

			uchar				_Byte(int32 offset) const;
			void				_Colour(int32 start, int32 end, Kind kind);
			int32				_Comment(int32 p);
			int32				_Tag(int32 p);
			int32				_Attributes(int32 a);
			int32				_PlainText(int32 p);

			EditView*			fView;
			int32				fFrom;
			int32				fTo;
			int32				fLength;
			const char*			fBytes;
			int32				fBase;
			int32				fEnd;
			std::string			fCopy;
			std::vector<Stretch> fStretches;
};


EditView::Colourer::Colourer(EditView* view, int32 from, int32 to)
	:
	fView(view),
	fFrom(from),
	fTo(to),
	fLength(view->TextLength()),
	fBytes(NULL),
	fBase(0),
	fEnd(0)
{
	if (fFrom < 0)
		fFrom = 0;
	if (fTo > fLength)
		fTo = fLength;
	if (fFrom >= fTo)
		return;

	int32 end = fTo + kLookAhead < fLength ? fTo + kLookAhead : fLength;
	if (end - fFrom <= kCopyLimit) {
		fCopy.resize(end - fFrom + 1);
		view->GetText(fFrom, end - fFrom, &fCopy[0]);
		fBytes = fCopy.data();
		fBase = fFrom;
	} else {
		fBytes = view->Text();
		fBase = 0;
	}
	fEnd = end;
}


inline uchar
EditView::Colourer::_Byte(int32 offset) const
{
	if (offset < fFrom || offset >= fEnd)
		return 0;
	return (uchar)fBytes[offset - fBase];
}


void
EditView::Colourer::_Colour(int32 start, int32 end, Kind kind)
{
	if (end > fLength)
		end = fLength;
	if (start >= end)
		return;
	if (!fStretches.empty()) {
		Stretch& last = fStretches.back();
		if (last.kind == kind && last.end == start) {
			last.end = end;
			return;
		}
	}
	fStretches.push_back(Stretch{ start, end, kind });
}


void
EditView::Colourer::Scan()
{
	int32 p = fFrom;
	while (p < fTo && _Byte(p) != 0) {
		if (_Byte(p) == '<' && _Byte(p + 1) == '!' && _Byte(p + 2) == '-'
			&& _Byte(p + 3) == '-')
			p = _Comment(p);
		else if (_Byte(p) == '<')
			p = _Tag(p);
		else
			p = _PlainText(p);
	}
}


int32
EditView::Colourer::_Comment(int32 p)
{
	// The dashes of "<!--" count towards the end mark, so "<!-->" is a whole comment.
	int32 q = p + 4;
	while (q < fTo && !(_Byte(q - 2) == '-' && _Byte(q - 1) == '-' && _Byte(q) == '>'))
		q++;
	if (_Byte(q) == '>')
		q++;
	_Colour(p, q, kComment);
	return q;
}


int32
EditView::Colourer::_Tag(int32 p)
{
	int32 q = p + 1;
	while (q < fTo && _Byte(q) != ' ' && _Byte(q) != '>')
		q++;
	if (_Byte(q) == '>') {
		_Colour(p, q + 1, kTag);
		return q + 1;
	}
	if (_Byte(q) != ' ') {
		_Colour(p, q, kTag);
		return q;
	}
	_Colour(p, q + 1, kTag);
	return _Attributes(q + 1);
}


int32
EditView::Colourer::_Attributes(int32 a)
{
	while (true) {
		if (a >= fTo || _Byte(a) == '>')
			return a;

		int32 position = a + 1;
		while (position < fTo && _Byte(position) != '=' && _Byte(position) != '>')
			position++;

		if (_Byte(position) == '=') {
			int32 r = position;
			_Colour(a, r + 1, kParameter);
			int32 v = r + 1;
			while (v < fTo && _Byte(v) != '"' && _Byte(v) != ' ' && _Byte(v) != '>')
				v++;
			if (_Byte(v) == ' ' || _Byte(v) == '>') {
				_Colour(r + 1, v, kQuotation);
				a = position = v;
			} else if (_Byte(v) == '"') {
				int32 w = v + 1;
				while (w < fTo && _Byte(w) != '"')
					w++;
				int32 end = _Byte(w) == '"' ? w + 1 : w;
				// Text between the "=" and an opening quote inside the value belongs
				// to the value as well.
				_Colour(r + 1, end, kQuotation);
				a = position = end;
			} else {
				// The range ended inside the value: the rest is tag text.
				a = r + 1;
				position = v;
			}
		}

		if (_Byte(position) == '>') {
			_Colour(a, position + 1, kTag);
			return position + 1;
		}
		_Colour(a, position, kTag);
		a = position;
	}
}


int32
EditView::Colourer::_PlainText(int32 p)
{
	int32 q = p + 1;
	if (q < fTo) {
		const char* start = fBytes + (q - fBase);
		const void* found = memchr(start, '<', fTo - q);
		q = found != NULL ? q + (int32)((const char*)found - start) : fTo;
	}
	_Colour(p, q, kNormal);
	return q;
}


void
EditView::Colourer::Apply()
{
	const rgb_color* colours[] = {
		&fView->normalColor, &fView->tagColor, &fView->parameterColor,
		&fView->quotationColor, &fView->commentColor
	};
	for (const Stretch& stretch : fStretches) {
		fView->SetFontAndColor(stretch.start, stretch.end, fView->font, B_FONT_ALL,
			colours[stretch.kind]);
	}
}


// #pragma mark - EditView


EditView::EditView(BRect frame, const char* name)
	:
	BTextView(frame, name, BRect(0, 0, frame.Width(), frame.Height()),
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE),
	silent(false),
	font(NULL),
	fHold(0)
{
	MakeEditable(true);
	MakeSelectable(true);
	SetStylable(true);
	SetDoesUndo(true);

	normalColor = make_color(0, 0, 0);
	tagColor = make_color(0, 0, 255);
	parameterColor = make_color(0, 192, 0);
	quotationColor = make_color(153, 0, 51);
	commentColor = make_color(164, 164, 164);

	font = new BFont(be_plain_font);
	font->SetSize(12.0);
	SetFont(font, B_FONT_ALL);
}


EditView::~EditView()
{
	delete font;
}


void
EditView::pokoloruj(int32 from, int32 to)
{
	Colourer colourer(this, from, to);
	colourer.Scan();

	// The user cannot change the text while it is coloured; the previous state comes
	// back afterwards, so a view made read-only stays so.
	bool selectable = IsSelectable();
	bool editable = IsEditable();
	MakeSelectable(false);
	MakeEditable(false);
	colourer.Apply();
	MakeEditable(editable);
	MakeSelectable(selectable);
}


void
EditView::koloruj(int)
{
	pokoloruj(0, TextLength());
}


void
EditView::czcionka(const BFont* newFont)
{
	if (newFont == NULL)
		return;
	*font = *newFont;
}


void
EditView::uaktualnij()
{
	// Every window stays still while the runs change, so none draws a half-styled
	// text; the windows are taken in the application's order, as every caller does.
	std::vector<BWindow*> locked;
	if (be_app != NULL) {
		for (int32 i = 0; BWindow* window = be_app->WindowAt(i); i++) {
			if (window->Lock())
				locked.push_back(window);
		}
	}

	SetFont(font, B_FONT_ALL);
	pokoloruj(0, TextLength());

	for (auto it = locked.rbegin(); it != locked.rend(); it++)
		(*it)->Unlock();
}


void
EditView::TextModified()
{
	if (silent || Window() == NULL)
		return;
	BMessenger(Window()).SendMessage(kEditTextModified);
}


void
EditView::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	BTextView::InsertText(text, length, offset, runs);

	// The change is at offset, which is the caret for typing but not for an undo, a
	// drop or an insertion elsewhere.
	if (fHold == 0)
		pokoloruj(_TagStartBefore(offset), _TagEndAfter(offset + length + 1));
	TextModified();
}


void
EditView::DeleteText(int32 fromOffset, int32 toOffset)
{
	BTextView::DeleteText(fromOffset, toOffset);

	if (fHold == 0) {
		int32 at = fromOffset < TextLength() ? fromOffset : TextLength();
		if (at < 0)
			at = 0;
		pokoloruj(_TagStartBefore(at), _TagEndAfter(at));
	}
	TextModified();
}


int32
EditView::_TagStartBefore(int32 offset) const
{
	int32 a = offset > 0 ? offset - 1 : 0;
	while (a > 0 && ByteAt(a) != '<')
		a--;
	return a;
}


int32
EditView::_TagEndAfter(int32 offset) const
{
	int32 length = TextLength();
	int32 b = offset;
	while (b < length && ByteAt(b) != '>')
		b++;
	return b;
}
