/*
 * swap_data: byte swapping of typed arrays.
 */

#include <ByteOrder.h>

#include <ctime>

namespace {

// The size of one swappable unit of a type, or 0 for types that are not swapped.
size_t
SwapUnit(type_code type)
{
	switch (type) {
		case B_INT16_TYPE:
		case B_UINT16_TYPE:
			return 2;
		case B_INT32_TYPE:
		case B_UINT32_TYPE:
		case B_FLOAT_TYPE:
		case B_RECT_TYPE:
		case B_POINT_TYPE:
			return 4;
		case B_SIZE_T_TYPE:
		case B_SSIZE_T_TYPE:
			return sizeof(size_t);
		case B_TIME_TYPE:
			return sizeof(time_t);
		case B_INT64_TYPE:
		case B_UINT64_TYPE:
		case B_DOUBLE_TYPE:
		case B_OFF_T_TYPE:
			return 8;
		default:
			return 0;
	}
}


bool
NeedsSwap(swap_action action)
{
	switch (action) {
		case B_SWAP_HOST_TO_LENDIAN:
		case B_SWAP_LENDIAN_TO_HOST:
			return B_HOST_IS_BENDIAN;
		case B_SWAP_HOST_TO_BENDIAN:
		case B_SWAP_BENDIAN_TO_HOST:
			return B_HOST_IS_LENDIAN;
		case B_SWAP_ALWAYS:
			return true;
	}
	return false;
}

}	// unnamed namespace


status_t
swap_data(type_code type, void* data, size_t length, swap_action action)
{
	if (data == nullptr && length > 0)
		return B_BAD_VALUE;
	size_t unit = SwapUnit(type);
	if (unit == 0)
		return B_BAD_VALUE;
	if (!NeedsSwap(action))
		return B_OK;

	uint8* bytes = static_cast<uint8*>(data);
	// A trailing partial unit is left alone.
	for (size_t offset = 0; offset + unit <= length; offset += unit) {
		for (size_t i = 0; i < unit / 2; i++) {
			uint8 swap = bytes[offset + i];
			bytes[offset + i] = bytes[offset + unit - 1 - i];
			bytes[offset + unit - 1 - i] = swap;
		}
	}
	return B_OK;
}


bool
is_type_swapped(type_code type)
{
	return SwapUnit(type) != 0;
}
