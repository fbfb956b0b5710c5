#include "ColorSelectView.h"

#include <Alert.h>
#include <Application.h>
#include <Button.h>
#include <ColorControl.h>
#include <Message.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "ColorText.h"
#include "QuorrelTools.h"
#include "libglossan/Glossan.h"


namespace {

const rgb_color kBackground = { 220, 220, 220, 255 };
const rgb_color kBlack = { 0, 0, 0, 255 };
const rgb_color kWhite = { 255, 255, 255, 255 };

const BRect kPreviewFrame(300, 10, 390, 100);

// User slots: slot k spans 10 + 40k to 40 + 40k across, 70 to 100 down.
const float kSlotLeft = 10;
const float kSlotPitch = 40;
const float kSlotWidth = 30;
const float kSlotTop = 70;
const float kSlotBottom = 100;

// Web-safe grid: six blocks of 6 by 6 cells of 8 pixels, one block per red level.
const int kLevels = 6;
const uint8 kLevelValues[kLevels] = { 0, 51, 102, 153, 204, 255 };
const float kGridLeft = 20;
const float kGridTop = 110;
const float kBlockPitch = 60;
const float kCellSize = 8;
const float kBlockSize = kCellSize * kLevels;

const char* kDefaultLanguage = "English";
const int kLineSize = 256;

}	// namespace


ColorSelectView::ColorSelectView(BRect frame, const char* name)
	:
	BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW),
	fDictionary(NULL),
	fColorControl(NULL),
	fSelectedSlot(0),
	fSelectedCell(-1)
{
	SetViewColor(kBackground);
	strcpy(fLanguage, kDefaultLanguage);
	UserColors::SetDefaults(fUserColors);
	memset(fWebSafeColors, 0, sizeof(fWebSafeColors));

	fColorControl = new BColorControl(BPoint(10, 20), B_CELLS_32x8, 4,
		"colorControl", new BMessage(kMsgColorControlChanged));
	AddChild(fColorControl);
	_FitColorControl();

	LoadSettings();
	LoadDictionary();
	LoadColors();
	CreateWebSafeColors();

	fCurrentColor = fUserColors[fSelectedSlot];
	fColorControl->SetValue(fCurrentColor);

	_AddButtons();
}


ColorSelectView::~ColorSelectView()
{
	delete fDictionary;
}


void
ColorSelectView::Draw(BRect updateRect)
{
	_DrawPreview();
	_DrawSlots();
	_DrawWebSafeGrid();
}


void
ColorSelectView::MouseDown(BPoint where)
{
	if (!_PickSlot(where) && !_PickCell(where))
		return;
	fColorControl->SetValue(fCurrentColor);
	Invalidate();
}


void
ColorSelectView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgSetUserColor:
			_StoreControlColor();
			break;
		case kMsgInsertPickedColor:
			_SendCurrentColor();
			break;
	}
}


void
ColorSelectView::LoadSettings()
{
	strcpy(fLanguage, kDefaultLanguage);

	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Settings/settings", appPath);
	delete[] appPath;

	FILE* file = fopen(path, "r");
	if (file == NULL)
		return;

	char line[kLineSize];
	char name[kLineSize];
	char value[kLineSize];
	while (fgets(line, sizeof(line), file) != NULL) {
		if (!GetLine(line, name, value))
			continue;
		if (value[0] != '\0')
			snprintf(fLanguage, sizeof(fLanguage), "%s", value);
		break;
	}
	fclose(file);
}


void
ColorSelectView::LoadDictionary()
{
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char directory[Glossan::kPathSize];
	snprintf(directory, sizeof(directory), "%s/Dictionary/", appPath);
	delete[] appPath;

	delete fDictionary;
	fDictionary = new Glossan("dictionary", directory);
	fDictionary->SetLanguage(fLanguage);
}


void
ColorSelectView::LoadColors()
{
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Settings/colors", appPath);
	delete[] appPath;

	UserColors::Read(path, fUserColors);
}


status_t
ColorSelectView::SaveColors()
{
	QuorrelTools tools;
	const char* appPath = tools.GetAppPath();
	char path[2048];
	snprintf(path, sizeof(path), "%s/Settings/colors", appPath);
	delete[] appPath;

	status_t status = UserColors::Write(path, fUserColors);
	if (status != B_OK) {
		BAlert* alert = new BAlert(_Translate("Insert color"),
			_Translate("I can`t save colors!"), _Translate("OK"), NULL, NULL,
			B_WIDTH_AS_USUAL, B_STOP_ALERT);
		alert->Go();
	}
	return status;
}


void
ColorSelectView::CreateWebSafeColors()
{
	int index = 0;
	for (int red = 0; red < kLevels; red++) {
		for (int green = 0; green < kLevels; green++) {
			for (int blue = 0; blue < kLevels; blue++) {
				rgb_color color = { kLevelValues[red], kLevelValues[green],
					kLevelValues[blue], 255 };
				fWebSafeColors[index++] = color;
			}
		}
	}
}


void
ColorSelectView::ChangeColor(rgb_color color)
{
	fCurrentColor = color;
	fCurrentColor.alpha = 255;
	Invalidate();
}


char*
ColorSelectView::convert(rgb_color color)
{
	return NewColorText(color);
}


bool
ColorSelectView::GetLine(char* line, char* name, char* value)
{
	name[0] = '\0';
	value[0] = '\0';
	const char* equals = strchr(line, '=');
	if (equals == NULL)
		return false;

	size_t nameLength = equals - line;
	memcpy(name, line, nameLength);
	name[nameLength] = '\0';

	const char* start = equals + 1;
	if (*start == '"')
		start++;
	size_t valueLength = strcspn(start, "\"\r\n");
	memcpy(value, start, valueLength);
	value[valueLength] = '\0';
	return true;
}


rgb_color
ColorSelectView::UserColor(int slot) const
{
	if (slot < 0 || slot >= UserColors::kCount)
		return kBlack;
	return fUserColors[slot];
}


rgb_color
ColorSelectView::WebSafeColor(int index) const
{
	if (index < 0 || index >= kWebSafeCount)
		return kBlack;
	return fWebSafeColors[index];
}


BRect
ColorSelectView::SlotFrame(int slot)
{
	float left = kSlotLeft + kSlotPitch * slot;
	return BRect(left, kSlotTop, left + kSlotWidth, kSlotBottom);
}


BRect
ColorSelectView::CellFrame(int index)
{
	int red = index / (kLevels * kLevels);
	int green = (index / kLevels) % kLevels;
	int blue = index % kLevels;
	float left = kGridLeft + kBlockPitch * red + kCellSize * blue;
	float top = kGridTop + kCellSize * green;
	return BRect(left, top, left + kCellSize, top + kCellSize);
}


void
ColorSelectView::_FitColorControl()
{
	// With a large system font the control's fields reach down into the user slots,
	// whose frames it would hide; it then moves up, keeping its left edge.
	BRect frame = fColorControl->Frame();
	float lowestBottom = kSlotTop - 3;
	if (frame.bottom <= lowestBottom)
		return;
	float top = std::max(4.0f, lowestBottom - frame.Height());
	fColorControl->MoveTo(frame.left, top);
}


void
ColorSelectView::_AddButtons()
{
	const uint32 resizing = B_FOLLOW_LEFT | B_FOLLOW_TOP;
	const uint32 flags = B_WILL_DRAW | B_NAVIGABLE;
	AddChild(new BButton(BRect(210, 70, 290, 73), "set", _Translate("Set color"),
		new BMessage(kMsgSetUserColor), resizing, flags));
	AddChild(new BButton(BRect(300, 170, 390, 190), "insert",
		_Translate("Insert color"), new BMessage(kMsgInsertPickedColor), resizing,
		flags));
	AddChild(new BButton(BRect(200, 170, 290, 190), "cancel", _Translate("Cancel"),
		new BMessage(kMsgCancelColorPicker), resizing, flags));
}


const char*
ColorSelectView::_Translate(const char* text) const
{
	return fDictionary != NULL ? fDictionary->Translate(text) : text;
}


bool
ColorSelectView::_PickSlot(BPoint where)
{
	if (!(where.y > kSlotTop && where.y < kSlotBottom))
		return false;
	for (int slot = 0; slot < UserColors::kCount; slot++) {
		float left = kSlotLeft + kSlotPitch * slot;
		if (where.x > left && where.x < left + kSlotWidth) {
			fSelectedSlot = slot;
			fCurrentColor = fUserColors[slot];
			return true;
		}
	}
	return false;
}


bool
ColorSelectView::_PickCell(BPoint where)
{
	if (!(where.y > kGridTop && where.y < kGridTop + kBlockSize))
		return false;
	for (int red = 0; red < kLevels; red++) {
		float blockLeft = kGridLeft + kBlockPitch * red;
		if (!(where.x > blockLeft && where.x < blockLeft + kBlockSize))
			continue;
		int x = (int)where.x;
		int y = (int)where.y;
		int column = (x - (int)blockLeft) / (int)kCellSize;
		int row = (y - (int)kGridTop) / (int)kCellSize;
		fSelectedCell = kLevels * kLevels * red + kLevels * row + column;
		fCurrentColor = fWebSafeColors[fSelectedCell];
		return true;
	}
	return false;
}


void
ColorSelectView::_StoreControlColor()
{
	rgb_color color = fColorControl->ValueAsColor();
	color.alpha = 255;
	fUserColors[fSelectedSlot] = color;
	SaveColors();
	Invalidate();
}


void
ColorSelectView::_SendCurrentColor()
{
	char* text = convert(fCurrentColor);
	BMessage message(kMsgInsertColorText);
	message.AddString("color", text);
	delete[] text;
	if (be_app != NULL)
		be_app->PostMessage(&message);
}


void
ColorSelectView::_DrawPreview()
{
	SetHighColor(kBlack);
	StrokeRect(kPreviewFrame);
	SetHighColor(fCurrentColor);
	FillRect(kPreviewFrame.InsetByCopy(1, 1));
}


void
ColorSelectView::_DrawSlots()
{
	for (int slot = 0; slot < UserColors::kCount; slot++) {
		BRect frame = SlotFrame(slot);
		SetHighColor(fUserColors[slot]);
		FillRect(frame);
		SetHighColor(slot == fSelectedSlot ? kWhite : kBlack);
		StrokeRect(frame);
	}
}


void
ColorSelectView::_DrawWebSafeGrid()
{
	for (int index = 0; index < kWebSafeCount; index++) {
		BRect frame = CellFrame(index);
		SetHighColor(fWebSafeColors[index]);
		FillRect(frame);
		SetHighColor(kBlack);
		StrokeRect(frame);
	}
	// The highlight goes last, so no neighbour's frame covers it.
	if (fSelectedCell >= 0 && fSelectedCell < kWebSafeCount) {
		SetHighColor(kWhite);
		StrokeRect(CellFrame(fSelectedCell));
	}
}
