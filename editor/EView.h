/*
 * EView: the editor pane of one document. It holds the colouring text view (EditView)
 * in a vertically scrolling BScrollView with a sunken frame around it, carries the
 * document's name, path and save flags for the main window, and performs the editing
 * commands on the document: loading, tag, colour and alignment insertion, line-end
 * conversion, find and replace.
 *
 * All text inside is UTF-8. Loading never marks the document modified; the edits do
 * (the text view posts 'ETmo' to the window).
 *
 * Loading bad input loses nothing and tells what happened through LoadIssues():
 * - a NUL byte would end the document's text for everything that reads it as a C string
 *   (saving, find), so each NUL byte is replaced by the substitute character 0x1A and
 *   kLoadNulReplaced is set;
 * - bytes the chosen encoding does not define become 0x1A (kLoadSubstituted);
 * - a file that cannot be read, or one larger than kMaxLoadSize, leaves the text as it
 *   was (kLoadReadError, kLoadTooLarge).
 * LoadIssueText() gives the dictionary key of the alert the main window shows.
 */
#ifndef EVIEW_H
#define EVIEW_H

#include <View.h>

#include <string>

class BFile;
class BScrollView;
class EditView;


class EView : public BView {
public:
	// What the last LoadFile met; a combination of these bits, 0 for a clean load.
	enum {
		kLoadNulReplaced	= 1 << 0,
		kLoadSubstituted	= 1 << 1,
		kLoadReadError		= 1 << 2,
		kLoadTooLarge		= 1 << 3
	};
	// Files larger than this are not loaded (the text view counts bytes in int32).
	static	const int64			kMaxLoadSize = 512 * 1024 * 1024;

								EView(BRect frame, const char* name);
	virtual						~EView();

	// Replaces the text with text (UTF-8, NUL-terminated); NULL does nothing.
			void				LoadFile(const char* text);
	// Replaces the text with the file's bytes, unconverted; NULL does nothing.
			void				LoadFile(BFile* file);
	// Replaces the text with the file's bytes converted from the encoding of index
	// encoding (0 to 18) to UTF-8; another index loads the bytes unconverted.
			void				LoadFile(BFile* file, int encoding);
	// The kLoad* bits of the last LoadFile (0 after a clean load).
			uint32				LoadIssues() const { return fLoadIssues; }
	// The dictionary key of the alert text for issues, or NULL when there is nothing
	// to tell. Errors take precedence over the notes on replaced bytes.
	static	const char*			LoadIssueText(uint32 issues);

	// Inserts tag (an opening and a closing part written together, pos the length of
	// the opening part) at the caret, or wraps the selection in it.
			void				InsertTag(const char* tag, int pos);
	// Wraps the selection in a font colour tag, or inserts the bare colour text.
			void				InsertColor(const char* color);
	// Wraps the selection in a div with the attribute align, or inserts align itself.
			void				InsertAlign(const char* align);
	// LF -> CR LF, and CR LF -> LF.
			void				ConvertLf();
			void				ConvertCrLf();

	// Selects the next occurrence after the selection; after the last one the caret
	// goes to the top. ignoreCase covers letters beyond ASCII. An empty text finds
	// nothing.
			void				find(const char* text, bool ignoreCase);
	// Replaces the selected occurrence, when the selection is exactly one; otherwise
	// the next occurrence after the selection start.
			void				replace(const char* text, const char* with,
									bool ignoreCase);
			void				replaceAll(const char* text, const char* with,
									bool ignoreCase);
			void				selectAll();
			void				clear();
	// Scrolls so that the selection start is visible.
			void				scroll();
			void				makeFocus();
			bool				isEmpty();
	// The text (UTF-8, NUL-terminated; valid until the next change) and its length.
			const char*			GetBufor();
			int32				GetTextLength();
	// false silences the text view's 'ETmo'; true lets it report again.
			void				SendModifiedMessage(bool send);
	// Reads Settings/editor_colors into the text view; applies them unless initial.
			void				loadColors(bool initial);

	virtual	void				Draw(BRect updateRect);
	// Hands B_COPY, B_CUT, B_PASTE and B_UNDO to the text view; ignores the rest.
	virtual	void				MessageReceived(BMessage* message);

	// The document's name on its tab (256 bytes, owned).
			char*				fileName;
	// The document's path. Owned: the view frees it with delete[], so whoever replaces
	// it hands over a buffer from new[] (and frees the old one).
			char*				filePath;
			bool				saved;
			bool				hasFile;
			bool				closeAfterSave;
			bool				tabbed;
			EditView*			editView;
			BScrollView*		scrollView;
			int32				searchPos;

private:
			void				_SetLoadedText(const char* text, int32 length);
			bool				_ReadFile(BFile* file, std::string* bytes);
			void				_InsertOrWrap(const char* text, const char* opening,
									const char* closing);
			void				_Wrap(int32 start, int32 end, const char* opening,
									const char* closing);
			void				_SetWholeText(const std::string& text);

			uint32				fLoadIssues;
};


#endif	// EVIEW_H
