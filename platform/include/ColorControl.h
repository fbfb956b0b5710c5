/*
 * BColorControl: picks a colour from four ramps of cells (grey, red, green and blue) or
 * by typing its red, green and blue components into the three fields beside them.
 *
 * The value packs the colour as R5 does: red << 24 | green << 16 | blue << 8 | alpha,
 * and ValueAsColor unpacks it (alpha is always 255). Clicking a cell of the grey ramp
 * sets all three components to its level, a cell of a colour ramp sets that component
 * only. Each change by the user invokes the control.
 *
 * The layout names the cells across and down (B_CELLS_32x8: 32 columns, 8 rows); wide
 * layouts lay the ramps as rows, tall ones as columns. Only the 32-bit look is drawn: the
 * palette of 8-bit screens is not offered.
 */
#ifndef _COLOR_CONTROL_H
#define _COLOR_CONTROL_H

#include <Control.h>

enum color_control_layout {
	B_CELLS_4x64 = 4,
	B_CELLS_8x32 = 8,
	B_CELLS_16x16 = 16,
	B_CELLS_32x8 = 32,
	B_CELLS_64x4 = 64
};

class BTextControl;

class BColorControl : public BControl {
public:
								BColorControl(BPoint start, color_control_layout layout,
									float cellSize, const char* name,
									BMessage* message = NULL,
									bool useOffscreen = false);
	virtual						~BColorControl();

	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	// Picks the level of the cell under the pointer, following it while held.
	virtual	void				MouseDown(BPoint where);
	// The fields report here.
	virtual	void				MessageReceived(BMessage* message);

	virtual	void				SetValue(int32 value);
			void				SetValue(rgb_color color);
			rgb_color			ValueAsColor();
	virtual	void				SetEnabled(bool enabled);

	virtual	void				SetLayout(color_control_layout layout);
			color_control_layout Layout() const;
	virtual	void				SetCellSize(float size);
			float				CellSize() const;

	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

	// The area of the ramps, in the control's coordinates.
			BRect				RampsFrame() const;

private:
			int32				_Columns() const;
			int32				_Rows() const;
			bool				_RampsAreRows() const;
	// The ramp (0 grey, 1 red, 2 green, 3 blue) and the level of the cell at point;
	// false outside the ramps.
			bool				_CellAt(BPoint point, int32* ramp, uint8* level) const;
			void				_PickCell(int32 ramp, uint8 level);
			void				_Layout();
			void				_UpdateFields();
			void				_FieldChanged();

			color_control_layout fLayout;
			float				fCellSize;
			BTextControl*		fRedField;
			BTextControl*		fGreenField;
			BTextControl*		fBlueField;
			bool				fUpdatingFields;
};

#endif	// _COLOR_CONTROL_H
