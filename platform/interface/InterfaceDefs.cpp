#include <InterfaceDefs.h>

#include <cmath>
#include <mutex>


static rgb_color
Color(uint8 red, uint8 green, uint8 blue)
{
	return make_color(red, green, blue, 255);
}


rgb_color
ui_color(color_which which)
{
	switch (which) {
		case B_PANEL_BACKGROUND_COLOR:
			return Color(216, 216, 216);
		case B_MENU_BACKGROUND_COLOR:
			return Color(219, 219, 219);
		case B_WINDOW_TAB_COLOR:
			return Color(255, 203, 0);
		case B_KEYBOARD_NAVIGATION_COLOR:
			return Color(0, 0, 229);
		case B_DESKTOP_COLOR:
			return Color(51, 102, 152);
		case B_MENU_SELECTION_BACKGROUND_COLOR:
			return Color(115, 120, 184);
		case B_MENU_ITEM_TEXT_COLOR:
			return Color(0, 0, 0);
		case B_MENU_SELECTED_ITEM_TEXT_COLOR:
			return Color(255, 255, 255);
		case B_MENU_SELECTED_BORDER_COLOR:
			return Color(0, 0, 0);
		case B_PANEL_TEXT_COLOR:
			return Color(0, 0, 0);
		case B_DOCUMENT_BACKGROUND_COLOR:
			return Color(255, 255, 255);
		case B_DOCUMENT_TEXT_COLOR:
			return Color(0, 0, 0);
		case B_CONTROL_BACKGROUND_COLOR:
			return Color(245, 245, 245);
		case B_CONTROL_TEXT_COLOR:
			return Color(0, 0, 0);
		case B_CONTROL_BORDER_COLOR:
			return Color(0, 0, 0);
		case B_CONTROL_HIGHLIGHT_COLOR:
			return Color(102, 152, 203);
		case B_NAVIGATION_PULSE_COLOR:
			return Color(0, 0, 0);
		case B_SHINE_COLOR:
			return Color(255, 255, 255);
		case B_SHADOW_COLOR:
			return Color(0, 0, 0);
		case B_TOOLTIP_BACKGROUND_COLOR:
			return Color(255, 255, 225);
		case B_TOOLTIP_TEXT_COLOR:
			return Color(0, 0, 0);
		case B_WINDOW_TEXT_COLOR:
			return Color(0, 0, 0);
		case B_WINDOW_INACTIVE_TAB_COLOR:
			return Color(232, 232, 232);
		case B_WINDOW_INACTIVE_TEXT_COLOR:
			return Color(80, 80, 80);
	}
	return Color(0, 0, 0);
}


rgb_color
keyboard_navigation_color()
{
	return ui_color(B_KEYBOARD_NAVIGATION_COLOR);
}


static uint8
TintChannel(uint8 value, float tint)
{
	float result;
	if (tint < 1.0f)
		result = value + (255 - value) * (1.0f - tint);
	else
		result = value * (2.0f - tint);
	if (!(result >= 0.0f))
		return 0;
	if (result > 255.0f)
		return 255;
	return (uint8)(result + 0.5f);
}


rgb_color
tint_color(rgb_color color, float tint)
{
	if (std::isnan(tint))
		return color;
	rgb_color result;
	result.red = TintChannel(color.red, tint);
	result.green = TintChannel(color.green, tint);
	result.blue = TintChannel(color.blue, tint);
	result.alpha = color.alpha;
	return result;
}


// The palette: 32 greys, the 216 colours of the 6x6x6 cube, six more greys, white,
// and the transparent magic colour last.
static void
BuildColorMap(color_map& map)
{
	map.id = 0;
	int index = 0;
	for (int i = 0; i < 32; i++) {
		uint8 value = (uint8)(i * 255 / 31);
		map.color_list[index++] = Color(value, value, value);
	}
	static const uint8 kLevels[6] = { 0, 51, 102, 153, 204, 255 };
	for (int r = 0; r < 6; r++) {
		for (int g = 0; g < 6; g++) {
			for (int b = 0; b < 6; b++)
				map.color_list[index++] = Color(kLevels[r], kLevels[g], kLevels[b]);
		}
	}
	static const uint8 kExtraGreys[6] = { 20, 60, 100, 140, 180, 220 };
	for (int i = 0; i < 6; i++)
		map.color_list[index++] = Color(kExtraGreys[i], kExtraGreys[i], kExtraGreys[i]);
	map.color_list[index++] = Color(255, 255, 255);
	map.color_list[index++] = B_TRANSPARENT_COLOR;

	for (int i = 0; i < 256; i++) {
		rgb_color c = map.color_list[i];
		int best = 0;
		int bestDistance = 1 << 30;
		for (int j = 0; j < 255; j++) {
			rgb_color o = map.color_list[j];
			int dr = (255 - c.red) - o.red;
			int dg = (255 - c.green) - o.green;
			int db = (255 - c.blue) - o.blue;
			int distance = dr * dr + dg * dg + db * db;
			if (distance < bestDistance) {
				bestDistance = distance;
				best = j;
			}
		}
		map.inversion_map[i] = (uint8)best;
	}
	map.inversion_map[255] = 255;

	for (int i = 0; i < 32768; i++) {
		int red = ((i >> 10) & 31) * 255 / 31;
		int green = ((i >> 5) & 31) * 255 / 31;
		int blue = (i & 31) * 255 / 31;
		int best = 0;
		int bestDistance = 1 << 30;
		for (int j = 0; j < 255; j++) {
			rgb_color o = map.color_list[j];
			int dr = red - o.red;
			int dg = green - o.green;
			int db = blue - o.blue;
			int distance = dr * dr + dg * dg + db * db;
			if (distance < bestDistance) {
				bestDistance = distance;
				best = j;
			}
		}
		map.index_map[i] = (uint8)best;
	}
}


const color_map*
system_colors()
{
	static color_map* sMap = NULL;
	static std::once_flag sOnce;
	std::call_once(sOnce, [] {
		sMap = new color_map;
		BuildColorMap(*sMap);
	});
	return sMap;
}


uint8
BPrivate::index_for_color(rgb_color color)
{
	if (color.red == B_TRANSPARENT_COLOR.red && color.green == B_TRANSPARENT_COLOR.green
		&& color.blue == B_TRANSPARENT_COLOR.blue)
		return B_TRANSPARENT_MAGIC_CMAP8;
	int key = ((color.red >> 3) << 10) | ((color.green >> 3) << 5) | (color.blue >> 3);
	return system_colors()->index_map[key];
}
