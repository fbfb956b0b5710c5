#include "interface/window/AlertViews.h"

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace BPrivate {

const float AlertButton::kDefaultInset = 3.0f;

static const float kButtonLabelMargin = 20.0f;
static const float kUsualButtonWidth = 75.0f;


// The byte length of the UTF-8 character that starts at text (1 for stray bytes).
static size_t
CharLength(const char* text)
{
	uint8 lead = (uint8)text[0];
	size_t length = 1;
	if (lead >= 0xf0)
		length = 4;
	else if (lead >= 0xe0)
		length = 3;
	else if (lead >= 0xc0)
		length = 2;
	for (size_t i = 1; i < length; i++) {
		if (((uint8)text[i] & 0xc0) != 0x80)
			return i;
	}
	return length;
}


static void
WrapParagraph(const BFont& font, const std::string& paragraph, float width,
	std::vector<std::string>& lines)
{
	std::string line;
	size_t position = 0;
	while (position < paragraph.size()) {
		size_t wordEnd = paragraph.find(' ', position);
		if (wordEnd == std::string::npos)
			wordEnd = paragraph.size();
		std::string word = paragraph.substr(position, wordEnd - position);
		std::string candidate = line.empty() ? word : line + " " + word;
		if (font.StringWidth(candidate.c_str()) <= width || candidate.empty()) {
			line = candidate;
		} else if (!line.empty() && font.StringWidth(word.c_str()) <= width) {
			lines.push_back(line);
			line = word;
		} else {
			// The word alone is too wide: break it between characters.
			if (!line.empty()) {
				lines.push_back(line);
				line.clear();
			}
			size_t i = 0;
			while (i < word.size()) {
				size_t length = CharLength(word.c_str() + i);
				std::string next = line + word.substr(i, length);
				if (!line.empty() && font.StringWidth(next.c_str()) > width) {
					lines.push_back(line);
					line.clear();
					continue;
				}
				line = next;
				i += length;
			}
		}
		position = wordEnd + 1;
	}
	lines.push_back(line);
}


std::vector<std::string>
WrapText(const BFont& font, const char* text, float width)
{
	std::vector<std::string> lines;
	if (text == NULL)
		return lines;
	if (!(width > 0))
		width = 1;
	const char* start = text;
	while (true) {
		const char* end = strchr(start, '\n');
		std::string paragraph = end != NULL ? std::string(start, end - start)
			: std::string(start);
		WrapParagraph(font, paragraph, width, lines);
		if (end == NULL)
			break;
		start = end + 1;
	}
	return lines;
}


void
DrawAlertIcon(BView* view, alert_type type, BPoint where)
{
	BRect box(where.x, where.y, where.x + 31, where.y + 31);
	view->PushState();
	view->SetDrawingMode(B_OP_COPY);
	view->SetPenSize(1);
	BFont font(be_bold_font);
	font.SetSize(22);
	view->SetFont(&font);
	font_height height;
	font.GetHeight(&height);

	switch (type) {
		case B_INFO_ALERT:
		{
			view->SetHighColor(40, 90, 200);
			view->FillEllipse(box);
			view->SetHighColor(20, 50, 130);
			view->StrokeEllipse(box);
			view->SetHighColor(255, 255, 255);
			view->FillEllipse(BRect(box.left + 14, box.top + 5, box.left + 17, box.top + 8));
			view->FillRect(BRect(box.left + 14, box.top + 12, box.left + 17, box.top + 25));
			view->FillRect(BRect(box.left + 12, box.top + 24, box.left + 19, box.top + 25));
			break;
		}
		case B_IDEA_ALERT:
		{
			view->SetHighColor(255, 220, 40);
			view->FillEllipse(BRect(box.left + 6, box.top, box.left + 25, box.top + 20));
			view->FillRect(BRect(box.left + 11, box.top + 18, box.left + 20, box.top + 23));
			view->SetHighColor(150, 120, 0);
			view->StrokeEllipse(BRect(box.left + 6, box.top, box.left + 25, box.top + 20));
			view->SetHighColor(120, 120, 130);
			view->FillRect(BRect(box.left + 11, box.top + 24, box.left + 20, box.top + 29));
			view->SetHighColor(70, 70, 80);
			view->StrokeLine(BPoint(box.left + 11, box.top + 26),
				BPoint(box.left + 20, box.top + 26));
			view->FillRect(BRect(box.left + 13, box.top + 30, box.left + 18, box.top + 31));
			break;
		}
		case B_WARNING_ALERT:
		{
			BPoint top(box.left + 15.5f, box.top);
			BPoint left(box.left, box.bottom);
			BPoint right(box.right, box.bottom);
			view->SetHighColor(255, 204, 0);
			view->FillTriangle(top, left, right);
			view->SetHighColor(120, 90, 0);
			view->StrokeTriangle(top, left, right);
			view->SetHighColor(0, 0, 0);
			view->FillRect(BRect(box.left + 14, box.top + 10, box.left + 17, box.top + 22));
			view->FillRect(BRect(box.left + 14, box.top + 25, box.left + 17, box.top + 28));
			break;
		}
		case B_STOP_ALERT:
		{
			BPoint points[8] = {
				BPoint(box.left + 9, box.top), BPoint(box.left + 22, box.top),
				BPoint(box.right, box.top + 9), BPoint(box.right, box.top + 22),
				BPoint(box.left + 22, box.bottom), BPoint(box.left + 9, box.bottom),
				BPoint(box.left, box.top + 22), BPoint(box.left, box.top + 9)
			};
			view->SetHighColor(210, 30, 30);
			view->FillPolygon(points, 8);
			view->SetHighColor(120, 0, 0);
			view->StrokePolygon(points, 8);
			view->SetHighColor(255, 255, 255);
			view->FillRect(BRect(box.left + 6, box.top + 13, box.right - 6, box.top + 18));
			break;
		}
		case B_EMPTY_ALERT:
		default:
			break;
	}
	view->PopState();
}


// #pragma mark - AlertButton


AlertButton::AlertButton(BRect frame, const char* label, int32 index)
	:
	BView(frame, label, B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, B_WILL_DRAW | B_NAVIGABLE),
	fLabel(label != NULL ? label : ""),
	fIndex(index),
	fDefault(false),
	fPressed(false)
{
	SetViewColor(B_TRANSPARENT_COLOR);
}


float
AlertButton::WidthFor(const char* label, button_width mode, float widest)
{
	float width = std::ceil(be_plain_font->StringWidth(label != NULL ? label : ""))
		+ kButtonLabelMargin;
	switch (mode) {
		case B_WIDTH_FROM_WIDEST:
			return std::max(width, widest);
		case B_WIDTH_FROM_LABEL:
			return width;
		case B_WIDTH_AS_USUAL:
		default:
			return std::max(width, kUsualButtonWidth);
	}
}


void
AlertButton::SetDefault(bool isDefault)
{
	if (fDefault == isDefault)
		return;
	fDefault = isDefault;
	Invalidate();
}


void
AlertButton::Draw(BRect updateRect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color dark = tint_color(panel, B_DARKEN_4_TINT);
	rgb_color shadow = tint_color(panel, B_DARKEN_2_TINT);
	rgb_color light = make_color(255, 255, 255);
	rgb_color face = tint_color(panel, B_LIGHTEN_1_TINT);
	if (fPressed) {
		face = tint_color(panel, B_DARKEN_2_TINT);
		std::swap(light, shadow);
	}

	BRect bounds = Bounds();
	SetDrawingMode(B_OP_COPY);
	SetHighColor(panel);
	FillRect(bounds);

	BRect button = bounds.InsetByCopy(kDefaultInset, kDefaultInset);
	if (fDefault) {
		// The default button sits in a thicker dark frame.
		SetHighColor(tint_color(panel, B_DARKEN_3_TINT));
		StrokeRoundRect(bounds, 3, 3);
		StrokeRoundRect(bounds.InsetByCopy(1, 1), 2, 2);
	}

	SetHighColor(dark);
	StrokeRoundRect(button, 2, 2);
	BRect inner = button.InsetByCopy(1, 1);
	SetHighColor(face);
	FillRect(inner);
	BeginLineArray(4);
	AddLine(inner.LeftTop(), inner.RightTop(), light);
	AddLine(inner.LeftTop(), inner.LeftBottom(), light);
	AddLine(inner.LeftBottom(), inner.RightBottom(), shadow);
	AddLine(inner.RightTop(), inner.RightBottom(), shadow);
	EndLineArray();

	font_height height;
	GetFontHeight(&height);
	float labelWidth = StringWidth(fLabel.c_str());
	float x = std::floor(button.left + (button.Width() - labelWidth) / 2);
	float y = std::floor(button.top + (button.Height() + height.ascent - height.descent) / 2
		+ 1);
	SetHighColor(fPressed ? make_color(255, 255, 255) : make_color(0, 0, 0));
	SetLowColor(face);
	DrawString(fLabel.c_str(), BPoint(x, y));

	if (IsFocus() && Window() != NULL && Window()->IsActive()) {
		SetHighColor(keyboard_navigation_color());
		StrokeLine(BPoint(x, y + 2), BPoint(x + labelWidth, y + 2));
	}
}


void
AlertButton::MouseDown(BPoint where)
{
	uint32 buttons = 0;
	if (Window() != NULL && Window()->CurrentMessage() != NULL)
		Window()->CurrentMessage()->FindInt32("buttons", (int32*)&buttons);
	fPressed = true;
	Draw(Bounds());

	bool inside = true;
	BPoint point = where;
	while (buttons != 0) {
		snooze(20000);
		GetMouse(&point, &buttons, false);
		bool nowInside = Bounds().Contains(point);
		if (nowInside != inside) {
			inside = nowInside;
			fPressed = inside;
			Draw(Bounds());
		}
	}

	fPressed = false;
	Draw(Bounds());
	if (inside)
		Invoke();
}


void
AlertButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE)) {
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
AlertButton::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	Invalidate();
}


void
AlertButton::WindowActivated(bool active)
{
	// The focus mark shows only in the active window.
	if (IsFocus())
		Invalidate();
}


void
AlertButton::Invoke()
{
	if (Window() == NULL)
		return;
	BMessage message(kAlertButtonPressed);
	message.AddInt32("index", fIndex);
	Window()->PostMessage(&message);
}


// #pragma mark - AlertView


AlertView::AlertView(BRect frame, alert_type type, const char* text)
	:
	BView(frame, "alert view", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	fType(type),
	fText(text != NULL ? text : "")
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}


void
AlertView::Draw(BRect updateRect)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	if (fType != B_EMPTY_ALERT) {
		// The darker strip at the left that holds the icon, as R5's alerts have.
		BRect stripe = Bounds();
		stripe.right = stripe.left + 29;
		SetHighColor(tint_color(panel, B_DARKEN_1_TINT));
		FillRect(stripe);
		DrawAlertIcon(this, fType, BPoint(18, 6));
	}

	font_height height;
	GetFontHeight(&height);
	float lineHeight = std::ceil(height.ascent + height.descent + height.leading);
	SetHighColor(0, 0, 0);
	SetLowColor(panel);
	float y = fTextArea.top + std::ceil(height.ascent);
	for (const std::string& line : fLines) {
		DrawString(line.c_str(), BPoint(fTextArea.left, y));
		y += lineHeight;
	}
}

}	// namespace BPrivate
