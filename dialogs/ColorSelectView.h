/*
 * ColorSelectView: the contents of the colour picker.
 *
 * A colour control, five user colour slots kept in "Settings/colors", the 216 web-safe
 * colours in six blocks of six by six cells, a preview of the current colour, and the
 * buttons "Set color", "Cancel" and "Insert color". Clicking a slot or a cell makes its
 * colour current; "Set color" stores the control's colour in the selected slot and saves
 * the slots at once; "Insert color" sends the current colour as colour text to the
 * application. The view keeps a dictionary of its own, in the language of the first
 * line of "Settings/settings".
 */
#ifndef COLOR_SELECT_VIEW_H
#define COLOR_SELECT_VIEW_H

#include <View.h>

#include "UserColors.h"

class BButton;
class BColorControl;
class Glossan;

class ColorSelectView : public BView {
public:
	static constexpr int		kWebSafeCount = 216;
	static constexpr int		kLanguageSize = 256;

								ColorSelectView(BRect frame, const char* name);
	virtual						~ColorSelectView();

	virtual	void				Draw(BRect updateRect);
	// Picks a user slot or a web-safe cell.
	virtual	void				MouseDown(BPoint where);
	virtual	void				MessageReceived(BMessage* message);

	// Reads the language from the first "name=\"value\"" line of "Settings/settings";
	// "English" when the file cannot be read.
			void				LoadSettings();
	// Makes the view's dictionary for that language.
			void				LoadDictionary();
	// Reads the user slots from "Settings/colors"; slots it does not give keep their
	// colours.
			void				LoadColors();
	// Writes the user slots to "Settings/colors". When that fails the old file stays
	// as it was and the user is told in an alert; the error is answered.
			status_t			SaveColors();
			void				CreateWebSafeColors();
	// Makes color the current colour and redraws.
			void				ChangeColor(rgb_color color);
	// The colour text of color in a new buffer; the caller deletes it with delete[].
			char*				convert(rgb_color color);
	// Splits a settings line into its name (up to the "=") and its value (after the
	// "=" and its opening double quote, up to the next double quote). name and value
	// hold at least as many bytes as line. Answers false, leaving both empty, when
	// the line has no "=".
			bool				GetLine(char* line, char* name, char* value);

			rgb_color			CurrentColor() const { return fCurrentColor; }
			rgb_color			UserColor(int slot) const;
			rgb_color			WebSafeColor(int index) const;
			int					SelectedSlot() const { return fSelectedSlot; }
			int					SelectedCell() const { return fSelectedCell; }
			const char*			Language() const { return fLanguage; }
			BColorControl*		ColorControl() const { return fColorControl; }

	// The frame of user slot slot and of web-safe cell index, in view coordinates.
	static	BRect				SlotFrame(int slot);
	static	BRect				CellFrame(int index);

private:
			void				_FitColorControl();
			void				_AddButtons();
			const char*			_Translate(const char* text) const;
			bool				_PickSlot(BPoint where);
			bool				_PickCell(BPoint where);
			void				_StoreControlColor();
			void				_SendCurrentColor();
			void				_DrawPreview();
			void				_DrawSlots();
			void				_DrawWebSafeGrid();

			Glossan*			fDictionary;
			BColorControl*		fColorControl;
			rgb_color			fCurrentColor;
			rgb_color			fUserColors[UserColors::kCount];
			rgb_color			fWebSafeColors[kWebSafeCount];
			int					fSelectedSlot;
			int					fSelectedCell;
			char				fLanguage[kLanguageSize];
};

#endif	// COLOR_SELECT_VIEW_H
