/*
 * BSlider: a value between two limits, chosen by dragging a thumb along a bar or with
 * the arrow keys.
 *
 * The label and the text of UpdateText() share the top line; the limit labels sit under
 * the bar (beside its ends when vertical, the maximum at the top). While the thumb is
 * dragged, the modification message goes to the target at every change; the message
 * itself is sent on release when the value changed, and after each arrow key.
 */
#ifndef _SLIDER_H
#define _SLIDER_H

#include <Control.h>

#include <string>

enum hash_mark_location {
	B_HASH_MARKS_NONE = 0,
	B_HASH_MARKS_TOP = 1,
	B_HASH_MARKS_LEFT = 1,
	B_HASH_MARKS_BOTTOM = 2,
	B_HASH_MARKS_RIGHT = 2,
	B_HASH_MARKS_BOTH = 3
};

enum thumb_style {
	B_BLOCK_THUMB,
	B_TRIANGLE_THUMB
};

class BSlider : public BControl {
public:
								BSlider(BRect frame, const char* name, const char* label,
									BMessage* message, int32 minValue, int32 maxValue,
									thumb_style thumbType = B_BLOCK_THUMB,
									uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
									uint32 flags = B_NAVIGABLE | B_WILL_DRAW
										| B_FRAME_EVENTS);
	virtual						~BSlider();

	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	// Left and down lower the value by the key increment, right and up raise it.
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				FrameResized(float width, float height);

	// Clamped to the limits.
	virtual	void				SetValue(int32 value);
	virtual	int32				ValueForPoint(BPoint point) const;
	virtual	void				SetPosition(float position);
	// Where the value lies between the limits, 0 to 1.
			float				Position() const;
			void				GetLimits(int32* minimum, int32* maximum) const;

	// Owned by the slider; NULL stops the messages.
	virtual	void				SetModificationMessage(BMessage* message);
			BMessage*			ModificationMessage() const;

	virtual	void				SetLimitLabels(const char* minLabel, const char* maxLabel);
			const char*			MinLimitLabel() const;
			const char*			MaxLimitLabel() const;
	// Text shown at the right end of the label line; NULL for none. The slider never
	// frees it.
	virtual	char*				UpdateText() const;

	virtual	void				SetHashMarks(hash_mark_location where);
			hash_mark_location	HashMarks() const;
	virtual	void				SetHashMarkCount(int32 count);
			int32				HashMarkCount() const;
	virtual	void				SetStyle(thumb_style style);
			thumb_style			Style() const;
	virtual	void				SetBarColor(rgb_color color);
			rgb_color			BarColor() const;
	// The part of the bar below the thumb is filled with color when use is true.
	virtual	void				UseFillColor(bool use, const rgb_color* color = NULL);
			bool				FillColor(rgb_color* color) const;
	virtual	void				SetOrientation(orientation posture);
			orientation			Orientation() const;
	virtual	void				SetBarThickness(float thickness);
			float				BarThickness() const;
			void				SetKeyIncrementValue(int32 value);
			int32				KeyIncrementValue() const;

			BRect				BarFrame() const;
			BRect				HashMarksFrame() const;
			BRect				ThumbFrame() const;

	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

private:
			float				_TextHeight() const;
			float				_BarStart() const;
			float				_BarEnd() const;
			float				_ThumbCenter() const;
			void				_DrawBar(BRect bar);
			void				_DrawHashMarks(BRect bar);
			void				_DrawThumb(BRect bar);
			void				_DrawTexts(BRect bar);
			void				_ChangeByUser(int32 value, bool notifyModification);

			int32				fMinValue;
			int32				fMaxValue;
			int32				fKeyIncrement;
			thumb_style			fStyle;
			hash_mark_location	fHashMarks;
			int32				fHashMarkCount;
			orientation			fOrientation;
			float				fBarThickness;
			rgb_color			fBarColor;
			rgb_color			fFillColor;
			bool				fUseFillColor;
			std::string			fMinLabel;
			std::string			fMaxLabel;
			BMessage*			fModificationMessage;
};

#endif	// _SLIDER_H
