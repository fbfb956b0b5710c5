#include "storage/IconData.h"

#include <Bitmap.h>

#include <cstring>


namespace BPrivate {


status_t
check_icon_bitmap(const BBitmap* icon, icon_size which)
{
	if (icon == nullptr || (which != B_LARGE_ICON && which != B_MINI_ICON))
		return B_BAD_VALUE;
	if (icon->InitCheck() != B_OK)
		return B_BAD_VALUE;
	BRect bounds = icon->Bounds();
	if (bounds.IntegerWidth() + 1 != (int32)which
		|| bounds.IntegerHeight() + 1 != (int32)which)
		return B_BAD_VALUE;
	return B_OK;
}


status_t
icon_bytes_from_bitmap(const BBitmap* icon, icon_size which, std::vector<char>& bytes)
{
	status_t status = check_icon_bitmap(icon, which);
	if (status != B_OK)
		return status;
	if (icon->ColorSpace() != B_CMAP8 || icon->BytesPerRow() < (int32)which
		|| icon->Bits() == nullptr)
		return B_BAD_VALUE;
	bytes.resize((size_t)which * which);
	const char* bits = (const char*)icon->Bits();
	for (int32 row = 0; row < (int32)which; row++)
		memcpy(bytes.data() + row * which, bits + row * icon->BytesPerRow(), which);
	return B_OK;
}


status_t
icon_bytes_to_bitmap(const std::vector<char>& bytes, icon_size which, BBitmap* icon)
{
	status_t status = check_icon_bitmap(icon, which);
	if (status != B_OK)
		return status;
	if (bytes.size() != (size_t)which * which)
		return B_BAD_DATA;
	if (icon->ColorSpace() == B_CMAP8 && icon->Bits() != nullptr
		&& icon->BytesPerRow() >= (int32)which) {
		char* bits = (char*)icon->Bits();
		for (int32 row = 0; row < (int32)which; row++)
			memcpy(bits + row * icon->BytesPerRow(), bytes.data() + row * which, which);
		return B_OK;
	}
	// Icon rows of 16 and 32 bytes need no padding, so the raw bytes are already laid
	// out as a B_CMAP8 bitmap would be.
	icon->SetBits(bytes.data(), (int32)bytes.size(), 0, B_CMAP8);
	return B_OK;
}


}	// namespace BPrivate
