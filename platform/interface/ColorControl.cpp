#include <ColorControl.h>

#include <Message.h>
#include <OS.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include "interface/controls/ControlLook.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace BPrivate;

static const uint32 kFieldChanged = 'ccFc';
static const float kFieldGap = 6.0f;
static const float kFieldWidth = 80.0f;
static const float kFieldFontSize = 9.0f;


static int32
Pack(rgb_color color)
{
	return (int32)(((uint32)color.red << 24) | ((uint32)color.green << 16)
		| ((uint32)color.blue << 8) | 0xff);
}


static rgb_color
Unpack(int32 value)
{
	uint32 bits = (uint32)value;
	return make_color((bits >> 24) & 0xff, (bits >> 16) & 0xff, (bits >> 8) & 0xff, 255);
}


static BTextControl*
MakeField(const char* name, const char* label)
{
	BTextControl* field = new BTextControl(BRect(0, 0, kFieldWidth, 10), name, label, "0",
		new BMessage(kFieldChanged));
	BFont font(be_plain_font);
	font.SetSize(kFieldFontSize);
	field->SetFont(&font);
	field->TextView()->SetFont(&font);
	field->SetModificationMessage(new BMessage(kFieldChanged));
	BTextView* text = field->TextView();
	for (uint32 c = 1; c < 128; c++) {
		if (c < '0' || c > '9')
			text->DisallowChar(c);
	}
	text->SetMaxBytes(3);
	return field;
}


BColorControl::BColorControl(BPoint start, color_control_layout layout, float cellSize,
	const char* name, BMessage* message, bool useOffscreen)
	:
	BControl(BRect(start, start), name, NULL, message, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE_JUMP),
	fLayout(layout),
	fCellSize(std::max(1.0f, std::floor(cellSize))),
	fRedField(NULL),
	fGreenField(NULL),
	fBlueField(NULL),
	fUpdatingFields(false)
{
	fRedField = MakeField("_red", "Red:");
	fGreenField = MakeField("_green", "Green:");
	fBlueField = MakeField("_blue", "Blue:");
	AddChild(fRedField);
	AddChild(fGreenField);
	AddChild(fBlueField);
	SetValueNoUpdate(Pack(make_color(0, 0, 0)));
	_Layout();
	ResizeToPreferred();
}


BColorControl::~BColorControl()
{
}


void
BColorControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	fRedField->SetTarget(this);
	fGreenField->SetTarget(this);
	fBlueField->SetTarget(this);
	_UpdateFields();
}


int32
BColorControl::_Columns() const
{
	return (int32)fLayout;
}


int32
BColorControl::_Rows() const
{
	return 256 / std::max<int32>(1, (int32)fLayout);
}


bool
BColorControl::_RampsAreRows() const
{
	return _Columns() >= _Rows();
}


BRect
BColorControl::RampsFrame() const
{
	return BRect(0, 0, _Columns() * fCellSize + 1, _Rows() * fCellSize + 1);
}


void
BColorControl::_Layout()
{
	BRect ramps = RampsFrame();
	font_height height;
	fRedField->GetFontHeight(&height);
	float fieldHeight = std::ceil(height.ascent + height.descent) + 6;
	float labelWidth = std::ceil(fRedField->StringWidth("Green:")) + 4;
	BTextControl* fields[3] = { fRedField, fGreenField, fBlueField };
	for (int32 i = 0; i < 3; i++) {
		fields[i]->ResizeTo(kFieldWidth, fieldHeight - 1);
		fields[i]->MoveTo(ramps.right + kFieldGap, i * fieldHeight);
		fields[i]->SetDivider(labelWidth);
	}
}


bool
BColorControl::_CellAt(BPoint point, int32* ramp, uint8* level) const
{
	BRect area = RampsFrame().InsetByCopy(1, 1);
	if (!area.Contains(point))
		return false;
	int32 column = std::clamp((int32)((point.x - area.left) / fCellSize), 0,
		_Columns() - 1);
	int32 row = std::clamp((int32)((point.y - area.top) / fCellSize), 0, _Rows() - 1);
	int32 along;
	int32 steps;
	if (_RampsAreRows()) {
		*ramp = row * 4 / _Rows();
		along = column;
		steps = _Columns();
	} else {
		*ramp = column * 4 / _Columns();
		along = row;
		steps = _Rows();
	}
	*level = (uint8)std::lround(along * 255.0 / std::max<int32>(1, steps - 1));
	return true;
}


static rgb_color
RampColor(int32 ramp, uint8 level)
{
	switch (ramp) {
		case 1:
			return make_color(level, 0, 0);
		case 2:
			return make_color(0, level, 0);
		case 3:
			return make_color(0, 0, level);
		default:
			return make_color(level, level, level);
	}
}


void
BColorControl::Draw(BRect updateRect)
{
	BRect ramps = RampsFrame();
	SetDrawingMode(B_OP_COPY);
	DrawBevel(this, ramps, tint_color(ui_color(B_PANEL_BACKGROUND_COLOR), B_DARKEN_2_TINT),
		make_color(255, 255, 255));
	BRect area = ramps.InsetByCopy(1, 1);
	int32 columns = _Columns();
	int32 rows = _Rows();
	for (int32 row = 0; row < rows; row++) {
		for (int32 column = 0; column < columns; column++) {
			BRect cell(area.left + column * fCellSize, area.top + row * fCellSize,
				area.left + (column + 1) * fCellSize - 1,
				area.top + (row + 1) * fCellSize - 1);
			if (!cell.Intersects(updateRect))
				continue;
			int32 ramp;
			uint8 level;
			_CellAt(cell.LeftTop(), &ramp, &level);
			rgb_color color = RampColor(ramp, level);
			if (!IsEnabled())
				color = tint_color(color, B_LIGHTEN_1_TINT);
			SetHighColor(color);
			FillRect(cell);
		}
	}
}


void
BColorControl::_PickCell(int32 ramp, uint8 level)
{
	rgb_color color = ValueAsColor();
	switch (ramp) {
		case 1:
			color.red = level;
			break;
		case 2:
			color.green = level;
			break;
		case 3:
			color.blue = level;
			break;
		default:
			color.red = color.green = color.blue = level;
			break;
	}
	if (Pack(color) == Value())
		return;
	SetValue(color);
	Invoke();
}


void
BColorControl::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	int32 ramp;
	uint8 level;
	if (!_CellAt(where, &ramp, &level))
		return;
	_PickCell(ramp, level);

	// Dragging runs along the ramp that was pressed.
	uint32 buttons = B_PRIMARY_MOUSE_BUTTON;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("buttons", (int32*)&buttons);
	BRect area = RampsFrame().InsetByCopy(1, 1);
	BPoint point = where;
	while (buttons != 0) {
		snooze(20000);
		GetMouse(&point, &buttons, false);
		if (buttons == 0)
			break;
		point.x = std::clamp(point.x, area.left, area.right);
		point.y = std::clamp(point.y, area.top, area.bottom);
		int32 nowRamp;
		if (_CellAt(point, &nowRamp, &level) && nowRamp == ramp)
			_PickCell(ramp, level);
	}
}


void
BColorControl::MessageReceived(BMessage* message)
{
	if (message->what == kFieldChanged) {
		_FieldChanged();
		return;
	}
	BControl::MessageReceived(message);
}


void
BColorControl::_FieldChanged()
{
	if (fUpdatingFields)
		return;
	auto component = [](BTextControl* field) {
		long value = std::strtol(field->Text(), NULL, 10);
		return (uint8)std::clamp<long>(value, 0, 255);
	};
	rgb_color color = make_color(component(fRedField), component(fGreenField),
		component(fBlueField));
	if (Pack(color) == Value())
		return;
	BControl::SetValue(Pack(color));
	Invoke();
}


void
BColorControl::_UpdateFields()
{
	rgb_color color = ValueAsColor();
	fUpdatingFields = true;
	char text[8];
	BTextControl* fields[3] = { fRedField, fGreenField, fBlueField };
	uint8 values[3] = { color.red, color.green, color.blue };
	for (int32 i = 0; i < 3; i++) {
		snprintf(text, sizeof(text), "%u", values[i]);
		if (std::strtol(fields[i]->Text(), NULL, 10) != values[i]
			|| fields[i]->Text()[0] == '\0')
			fields[i]->SetText(text);
	}
	fUpdatingFields = false;
}


void
BColorControl::SetValue(int32 value)
{
	// Alpha is not a choice of this control.
	value = (int32)((uint32)value | 0xff);
	BControl::SetValue(value);
	_UpdateFields();
}


void
BColorControl::SetValue(rgb_color color)
{
	SetValue(Pack(color));
}


rgb_color
BColorControl::ValueAsColor()
{
	return Unpack(Value());
}


void
BColorControl::SetEnabled(bool enabled)
{
	BControl::SetEnabled(enabled);
	fRedField->SetEnabled(enabled);
	fGreenField->SetEnabled(enabled);
	fBlueField->SetEnabled(enabled);
}


void
BColorControl::SetLayout(color_control_layout layout)
{
	switch (layout) {
		case B_CELLS_4x64:
		case B_CELLS_8x32:
		case B_CELLS_16x16:
		case B_CELLS_32x8:
		case B_CELLS_64x4:
			break;
		default:
			return;
	}
	fLayout = layout;
	_Layout();
	ResizeToPreferred();
	Invalidate();
}


color_control_layout
BColorControl::Layout() const
{
	return fLayout;
}


void
BColorControl::SetCellSize(float size)
{
	fCellSize = std::max(1.0f, std::floor(size));
	_Layout();
	ResizeToPreferred();
	Invalidate();
}


float
BColorControl::CellSize() const
{
	return fCellSize;
}


void
BColorControl::GetPreferredSize(float* width, float* height)
{
	BRect ramps = RampsFrame();
	BRect fields = fBlueField->Frame();
	if (width != NULL)
		*width = ramps.right + kFieldGap + kFieldWidth;
	if (height != NULL)
		*height = std::max(ramps.bottom, fields.bottom);
}


void
BColorControl::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}
