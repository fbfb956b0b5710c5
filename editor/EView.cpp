#include "EView.h"

#include "EditView.h"
#include "EncodingTable.h"
#include "QuorrelTools.h"
#include "TextSearch.h"
#include "libvarkel/varkel.h"

#include <AppDefs.h>
#include <File.h>
#include <Font.h>
#include <Message.h>
#include <Messenger.h>
#include <ScrollView.h>
#include <Window.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>


static const int32 kFileNameSize = 256;
static const int32 kFilePathSize = 2048;
static const int32 kReadChunk = 4 * 1024 * 1024;


/*
 * Keeps the text view silent and its hooks from colouring while the pane loads or
 * rewrites the whole text, and lets go on every way out.
 */
class WholeTextChange {
public:
	WholeTextChange(EditView* view, bool silence)
		:
		fView(view),
		fSilence(silence)
	{
		fView->fHold++;
		if (fSilence)
			fView->silent = true;
	}

	~WholeTextChange()
	{
		fView->fHold--;
		if (fSilence)
			fView->silent = false;
	}

private:
	EditView*	fView;
	bool		fSilence;
};


// Reads one colour component: the low 8 bits of the decimal number, or the component
// as it was when the value is missing or is not a number.
static void
ReadComponent(varkel& settings, const char* key, uint8* component)
{
	const char* value = settings.GetValue(key);
	int number;
	if (value != NULL && sscanf(value, "%d", &number) == 1)
		*component = (uint8)(number & 0xff);
}


static void
ReadColour(varkel& settings, const char* name, rgb_color* colour)
{
	char key[64];
	snprintf(key, sizeof(key), "%s_color_red", name);
	ReadComponent(settings, key, &colour->red);
	snprintf(key, sizeof(key), "%s_color_green", name);
	ReadComponent(settings, key, &colour->green);
	snprintf(key, sizeof(key), "%s_color_blue", name);
	ReadComponent(settings, key, &colour->blue);
}


EView::EView(BRect frame, const char* name)
	:
	BView(frame, name, B_FOLLOW_ALL_SIDES, B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW
		| B_NAVIGABLE_JUMP | B_FRAME_EVENTS | B_NAVIGABLE),
	fileName(NULL),
	filePath(NULL),
	saved(false),
	hasFile(false),
	closeAfterSave(false),
	tabbed(false),
	editView(NULL),
	scrollView(NULL),
	searchPos(0),
	fLoadIssues(0)
{
	fileName = new char[kFileNameSize];
	snprintf(fileName, kFileNameSize, "%s", name != NULL ? name : "");

	SetViewColor(216, 216, 216);

	BRect rect = Bounds();
	rect.InsetBy(3, 3);
	rect.right -= 15;
	editView = new EditView(rect, "Edit");
	scrollView = new BScrollView("scroll_view", editView, B_FOLLOW_ALL_SIDES, 0, false,
		true, B_NO_BORDER);
	AddChild(scrollView);

	searchPos = 0;
	loadColors(true);

	filePath = new char[kFilePathSize];
	filePath[0] = '\0';
	saved = hasFile = closeAfterSave = tabbed = false;
}


EView::~EView()
{
	// The scroll view deletes its target, the text view, itself; deleting the text view
	// first would leave the scroll view holding a dangling target.
	RemoveChild(scrollView);
	delete scrollView;
	editView = NULL;
	scrollView = NULL;
	delete[] fileName;
	delete[] filePath;
}


// #pragma mark - loading


void
EView::LoadFile(const char* text)
{
	if (text == NULL)
		return;
	fLoadIssues = 0;
	_SetLoadedText(text, (int32)strlen(text));
}


void
EView::LoadFile(BFile* file)
{
	LoadFile(file, -1);
}


void
EView::LoadFile(BFile* file, int encoding)
{
	if (file == NULL)
		return;
	fLoadIssues = 0;

	std::string bytes;
	if (!_ReadFile(file, &bytes))
		return;

	const EncodingInfo* info = EncodingTable::At(encoding);
	if (info == NULL) {
		_SetLoadedText(bytes.data(), (int32)bytes.size());
		return;
	}

	std::string text;
	int32 substituted = 0;
	if (EncodingTable::ToUTF8(encoding, bytes.data(), (int32)bytes.size(), &text,
			&substituted) != B_OK) {
		fLoadIssues |= kLoadTooLarge;
		return;
	}
	if (substituted > 0)
		fLoadIssues |= kLoadSubstituted;
	bytes.clear();
	bytes.shrink_to_fit();
	_SetLoadedText(text.data(), (int32)text.size());
}


const char*
EView::LoadIssueText(uint32 issues)
{
	if ((issues & kLoadTooLarge) != 0)
		return "This file is too large to open.";
	if ((issues & kLoadReadError) != 0)
		return "I can`t read this file.";
	if ((issues & kLoadNulReplaced) != 0)
		return "The file holds NUL bytes; each was replaced by a substitute character.";
	if ((issues & kLoadSubstituted) != 0)
		return "Some bytes do not fit the chosen encoding; they were replaced by a substitute character.";
	return NULL;
}


bool
EView::_ReadFile(BFile* file, std::string* bytes)
{
	off_t size = 0;
	if (file->InitCheck() != B_OK || file->GetSize(&size) != B_OK || size < 0) {
		fLoadIssues |= kLoadReadError;
		return false;
	}
	if (size > kMaxLoadSize) {
		fLoadIssues |= kLoadTooLarge;
		return false;
	}

	try {
		bytes->resize((size_t)size);
		off_t done = 0;
		while (true) {
			if ((size_t)done == bytes->size()) {
				// The file may have grown since its size was taken; it is read on
				// until it ends or is too large.
				if ((off_t)bytes->size() > kMaxLoadSize)
					break;
				bytes->resize(bytes->size() + kReadChunk);
			}
			ssize_t read = file->ReadAt(done, &(*bytes)[done], bytes->size() - done);
			if (read < 0) {
				fLoadIssues |= kLoadReadError;
				return false;
			}
			if (read == 0)
				break;
			done += read;
		}
		bytes->resize(done);
		if (done > kMaxLoadSize) {
			fLoadIssues |= kLoadTooLarge;
			return false;
		}
	} catch (const std::bad_alloc&) {
		fLoadIssues |= kLoadTooLarge;
		return false;
	}
	return true;
}


void
EView::_SetLoadedText(const char* text, int32 length)
{
	// Everything that reads the document as a C string (saving, find) would stop at a
	// NUL byte, so none is let in.
	std::string cleaned;
	if (memchr(text, '\0', length) != NULL) {
		cleaned.assign(text, length);
		for (char& byte : cleaned) {
			if (byte == '\0')
				byte = EncodingTable::kSubstitute;
		}
		text = cleaned.data();
		fLoadIssues |= kLoadNulReplaced;
	}

	WholeTextChange change(editView, true);
	editView->SetText(text, length);
	editView->koloruj(0);
}


// #pragma mark - insertion


void
EView::InsertTag(const char* tag, int pos)
{
	if (tag == NULL)
		return;
	int32 length = (int32)strlen(tag);
	if (pos < 0)
		pos = 0;
	if (pos > length)
		pos = length;

	int32 start, end;
	editView->GetSelection(&start, &end);
	if (start == end || pos == length) {
		// At the caret, or a tag without a closing part in front of the selection:
		// the caret goes pos bytes into the tag.
		editView->Insert(start, tag, length);
		editView->Select(start + pos, start + pos);
		return;
	}
	if (pos == 0) {
		editView->Insert(start, tag, length);
		editView->Select(start + length, start + length);
		return;
	}

	editView->Insert(start, tag, pos);
	editView->Select(end + pos, end + pos);
	editView->Insert(end + pos, tag + pos, length - pos);
	editView->Select(end + length, end + length);
}


void
EView::InsertColor(const char* color)
{
	if (color == NULL)
		return;
	std::string opening = "<font color=\"";
	opening += color;
	opening += "\">";
	_InsertOrWrap(color, opening.c_str(), "</font>");
}


void
EView::InsertAlign(const char* align)
{
	if (align == NULL)
		return;
	std::string opening = "<div ";
	opening += align;
	opening += ">";
	_InsertOrWrap(align, opening.c_str(), "</div>");
}


// Without a selection the text itself goes in at the caret; a selection is wrapped in
// the opening and closing tags instead.
void
EView::_InsertOrWrap(const char* text, const char* opening, const char* closing)
{
	int32 start, end;
	editView->GetSelection(&start, &end);
	if (start == end) {
		int32 length = (int32)strlen(text);
		editView->Insert(start, text, length);
		editView->Select(start + length, start + length);
		return;
	}
	_Wrap(start, end, opening, closing);
}


void
EView::_Wrap(int32 start, int32 end, const char* opening, const char* closing)
{
	int32 openingLength = (int32)strlen(opening);
	int32 closingLength = (int32)strlen(closing);
	editView->Insert(start, opening, openingLength);
	editView->Select(end + openingLength, end + openingLength);
	editView->Insert(end + openingLength, closing, closingLength);
	editView->Select(end + openingLength + closingLength,
		end + openingLength + closingLength);
}


// #pragma mark - line ends


void
EView::ConvertLf()
{
	const char* text = editView->Text();
	int32 length = editView->TextLength();
	std::string converted;
	converted.reserve(length + length / 16);
	for (int32 i = 0; i < length; i++) {
		if (text[i] == '\n')
			converted += '\r';
		converted += text[i];
	}
	_SetWholeText(converted);
}


void
EView::ConvertCrLf()
{
	const char* text = editView->Text();
	int32 length = editView->TextLength();
	std::string converted;
	converted.reserve(length);
	for (int32 i = 0; i < length; i++) {
		if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n')
			continue;
		converted += text[i];
	}
	_SetWholeText(converted);
}


void
EView::_SetWholeText(const std::string& text)
{
	// The change is reported through the hooks like any edit; only the colouring
	// waits until the whole new text is in.
	WholeTextChange change(editView, false);
	editView->SetText(text.data(), (int32)text.size());
	editView->koloruj(0);
}


// #pragma mark - find and replace


void
EView::find(const char* text, bool ignoreCase)
{
	TextSearch search(text, ignoreCase);
	if (search.IsEmpty())
		return;

	int32 start, end;
	editView->GetSelection(&start, &end);
	searchPos = end;

	int32 matched = 0;
	int32 found = search.FindIn(editView->Text(), editView->TextLength(), searchPos,
		&matched);
	if (found < 0) {
		searchPos = 0;
		editView->Select(0, 0);
		editView->ScrollToOffset(0);
		return;
	}
	editView->Select(found, found + matched);
	editView->ScrollToOffset(found);
	searchPos = found + matched;
}


void
EView::replace(const char* text, const char* with, bool ignoreCase)
{
	TextSearch search(text, ignoreCase);
	if (search.IsEmpty())
		return;
	if (with == NULL)
		with = "";

	const char* buffer = editView->Text();
	int32 length = editView->TextLength();
	int32 start, end;
	editView->GetSelection(&start, &end);

	// After find has selected an occurrence, that is the one the user means.
	int32 found = -1;
	int32 matched = 0;
	if (end > start && search.MatchAt(buffer, length, start) == end - start) {
		found = start;
		matched = end - start;
	} else {
		found = search.FindIn(buffer, length, start > 0 ? start + 1 : 0, &matched);
		if (found < 0)
			return;
	}

	int32 withLength = (int32)strlen(with);
	editView->Delete(found, found + matched);
	editView->Insert(found, with, withLength);

	int32 from = found > 0 ? found - 1 : 0;
	while (from > 0 && editView->ByteAt(from) != '<')
		from--;
	int32 to = found + withLength;
	int32 textLength = editView->TextLength();
	while (to < textLength && editView->ByteAt(to) != '>')
		to++;
	editView->pokoloruj(from, to);

	editView->Select(found, found + withLength);
	editView->ScrollToOffset(found);
}


void
EView::replaceAll(const char* text, const char* with, bool ignoreCase)
{
	TextSearch search(text, ignoreCase);
	if (search.IsEmpty())
		return;
	if (with == NULL)
		with = "";

	const char* buffer = editView->Text();
	int32 length = editView->TextLength();
	std::string result;
	int32 copied = 0;
	int32 matched = 0;
	int32 found = search.FindIn(buffer, length, 0, &matched);
	if (found < 0)
		return;
	result.reserve(length);
	while (found >= 0) {
		result.append(buffer + copied, found - copied);
		result.append(with);
		copied = found + matched;
		found = search.FindIn(buffer, length, copied, &matched);
	}
	result.append(buffer + copied, length - copied);
	_SetWholeText(result);
}


// #pragma mark - the rest


void
EView::selectAll()
{
	editView->Select(0, editView->TextLength());
}


void
EView::clear()
{
	editView->Select(0, editView->TextLength());
	editView->Clear();
	if (Window() != NULL)
		BMessenger(Window()).SendMessage(kEditTextModified);
}


void
EView::scroll()
{
	int32 start, end;
	editView->GetSelection(&start, &end);
	editView->ScrollToOffset(start);
}


void
EView::makeFocus()
{
	editView->MakeFocus(true);
}


bool
EView::isEmpty()
{
	return editView == NULL || editView->TextLength() == 0;
}


const char*
EView::GetBufor()
{
	return editView->Text();
}


int32
EView::GetTextLength()
{
	return editView->TextLength();
}


void
EView::SendModifiedMessage(bool send)
{
	editView->silent = !send;
}


void
EView::loadColors(bool initial)
{
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char path[kFilePathSize + 64];
	snprintf(path, sizeof(path), "%s/Settings/editor_colors", appPath);
	delete[] appPath;

	varkel settings;
	if (settings.LoadPrefs(path) != 0)
		return;

	ReadColour(settings, "normal", &editView->normalColor);
	ReadColour(settings, "tag", &editView->tagColor);
	ReadColour(settings, "parameter", &editView->parameterColor);
	ReadColour(settings, "quotation", &editView->quotationColor);
	ReadColour(settings, "comment", &editView->commentColor);

	const char* family = settings.GetValue("font_family");
	if (family == NULL || family[0] == '\0')
		editView->czcionka(be_plain_font);
	else {
		BFont font;
		const char* style = settings.GetValue("font_style");
		font.SetFamilyAndStyle(family, style != NULL ? style : "");
		const char* sizeText = settings.GetValue("font_size");
		float size;
		// A size that is not a number, or not one a font can have, reads as 10.
		if (sizeText == NULL || sscanf(sizeText, "%f", &size) != 1 || !(size >= 1.0f)
			|| size > 1000.0f)
			size = 10.0f;
		font.SetSize(size);
		editView->czcionka(&font);
	}

	if (!initial)
		editView->uaktualnij();
}


// #pragma mark - view hooks


void
EView::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	rgb_color dark = make_color(150, 150, 150);
	rgb_color light = make_color(230, 230, 230);
	for (int32 i = 0; i < 2; i++) {
		BRect frame = bounds.InsetByCopy(i, i);
		BeginLineArray(4);
		AddLine(frame.LeftTop(), frame.RightTop(), dark);
		AddLine(frame.LeftTop(), frame.LeftBottom(), dark);
		AddLine(frame.LeftBottom(), frame.RightBottom(), light);
		AddLine(frame.RightTop(), frame.RightBottom(), light);
		EndLineArray();
	}
}


void
EView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_COPY:
		case B_CUT:
		case B_PASTE:
		case B_UNDO:
			if (editView->Looper() != NULL)
				BMessenger(editView).SendMessage(message);
			break;
		default:
			break;
	}
}
