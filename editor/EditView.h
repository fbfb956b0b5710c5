/*
 * EditView: the text view of one document. It colours HTML as the text changes: plain
 * text, tags (brackets and names), attribute names with their "=", attribute values and
 * comments each in a colour of their own, the whole text in one font.
 *
 * After every insertion or deletion only the stretch from the nearest "<" before the
 * change to the nearest ">" after it is coloured again, and the window hears of the
 * change by the message 'ETmo' unless the view is silent.
 */
#ifndef EDIT_VIEW_H
#define EDIT_VIEW_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <TextView.h>


// Sent to the window after every change of the text unless the view is silent.
enum {
	kEditTextModified = 'ETmo'
};


class EditView : public BTextView {
public:
								EditView(BRect frame, const char* name);
	virtual						~EditView();

	// Colours the text from offset from up to about to (a tag or comment that starts
	// before to is coloured to its end within to). A NUL byte stops the scan.
			void				pokoloruj(int32 from, int32 to);
	// Colours the whole text; the argument is not used.
			void				koloruj(int unused = 0);
	// Stores a copy of font as the font of the text; uaktualnij applies it.
			void				czcionka(const BFont* font);
	// Applies the stored font to the whole text and colours it again, with every
	// window of the application locked.
			void				uaktualnij();
	// Posts 'ETmo' to the window unless silent is set.
			void				TextModified();

			rgb_color			normalColor;
			rgb_color			tagColor;
			rgb_color			parameterColor;
			rgb_color			quotationColor;
			rgb_color			commentColor;
			bool				silent;
	// The one font of the whole text, owned by the view.
			BFont*				font;

protected:
	virtual	void				InsertText(const char* text, int32 length, int32 offset,
									const text_run_array* runs);
	virtual	void				DeleteText(int32 fromOffset, int32 toOffset);

private:
	friend class WholeTextChange;
			class Colourer;

			int32				_TagStartBefore(int32 offset) const;
			int32				_TagEndAfter(int32 offset) const;

	// While above 0 the hooks do not colour: the pane's loaders and whole-text edits
	// colour everything once afterwards instead.
			int32				fHold;
};


#endif	// EDIT_VIEW_H
