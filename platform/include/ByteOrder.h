/*
 * Byte order conversion between the host (little endian on every Linux target this
 * runs on) and big or little endian data.
 */
#ifndef _BYTE_ORDER_H
#define _BYTE_ORDER_H

#include <SupportDefs.h>
#include <TypeConstants.h>

#include <cstring>

typedef enum {
	B_SWAP_HOST_TO_LENDIAN,
	B_SWAP_HOST_TO_BENDIAN,
	B_SWAP_LENDIAN_TO_HOST,
	B_SWAP_BENDIAN_TO_HOST,
	B_SWAP_ALWAYS
} swap_action;

// Swaps an array of values of the given type in place. Types that are not numbers
// (or points and rects of floats) give B_BAD_VALUE.
status_t	swap_data(type_code type, void* data, size_t length, swap_action action);
// True for the types swap_data changes.
bool		is_type_swapped(type_code type);

static inline uint16
__swap_int16(uint16 value)
{
	return __builtin_bswap16(value);
}


static inline uint32
__swap_int32(uint32 value)
{
	return __builtin_bswap32(value);
}


static inline uint64
__swap_int64(uint64 value)
{
	return __builtin_bswap64(value);
}


static inline float
__swap_float(float value)
{
	uint32 bits;
	memcpy(&bits, &value, sizeof(bits));
	bits = __builtin_bswap32(bits);
	memcpy(&value, &bits, sizeof(bits));
	return value;
}


static inline double
__swap_double(double value)
{
	uint64 bits;
	memcpy(&bits, &value, sizeof(bits));
	bits = __builtin_bswap64(bits);
	memcpy(&value, &bits, sizeof(bits));
	return value;
}

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#	define B_HOST_IS_LENDIAN 1
#	define B_HOST_IS_BENDIAN 0

#	define B_HOST_TO_LENDIAN_INT16(x)	((uint16)(x))
#	define B_HOST_TO_LENDIAN_INT32(x)	((uint32)(x))
#	define B_HOST_TO_LENDIAN_INT64(x)	((uint64)(x))
#	define B_HOST_TO_LENDIAN_FLOAT(x)	((float)(x))
#	define B_HOST_TO_LENDIAN_DOUBLE(x)	((double)(x))
#	define B_HOST_TO_BENDIAN_INT16(x)	__swap_int16(x)
#	define B_HOST_TO_BENDIAN_INT32(x)	__swap_int32(x)
#	define B_HOST_TO_BENDIAN_INT64(x)	__swap_int64(x)
#	define B_HOST_TO_BENDIAN_FLOAT(x)	__swap_float(x)
#	define B_HOST_TO_BENDIAN_DOUBLE(x)	__swap_double(x)
#else
#	define B_HOST_IS_LENDIAN 0
#	define B_HOST_IS_BENDIAN 1

#	define B_HOST_TO_LENDIAN_INT16(x)	__swap_int16(x)
#	define B_HOST_TO_LENDIAN_INT32(x)	__swap_int32(x)
#	define B_HOST_TO_LENDIAN_INT64(x)	__swap_int64(x)
#	define B_HOST_TO_LENDIAN_FLOAT(x)	__swap_float(x)
#	define B_HOST_TO_LENDIAN_DOUBLE(x)	__swap_double(x)
#	define B_HOST_TO_BENDIAN_INT16(x)	((uint16)(x))
#	define B_HOST_TO_BENDIAN_INT32(x)	((uint32)(x))
#	define B_HOST_TO_BENDIAN_INT64(x)	((uint64)(x))
#	define B_HOST_TO_BENDIAN_FLOAT(x)	((float)(x))
#	define B_HOST_TO_BENDIAN_DOUBLE(x)	((double)(x))
#endif

// Converting back is the same swap.
#define B_LENDIAN_TO_HOST_INT16(x)	B_HOST_TO_LENDIAN_INT16(x)
#define B_LENDIAN_TO_HOST_INT32(x)	B_HOST_TO_LENDIAN_INT32(x)
#define B_LENDIAN_TO_HOST_INT64(x)	B_HOST_TO_LENDIAN_INT64(x)
#define B_LENDIAN_TO_HOST_FLOAT(x)	B_HOST_TO_LENDIAN_FLOAT(x)
#define B_LENDIAN_TO_HOST_DOUBLE(x)	B_HOST_TO_LENDIAN_DOUBLE(x)
#define B_BENDIAN_TO_HOST_INT16(x)	B_HOST_TO_BENDIAN_INT16(x)
#define B_BENDIAN_TO_HOST_INT32(x)	B_HOST_TO_BENDIAN_INT32(x)
#define B_BENDIAN_TO_HOST_INT64(x)	B_HOST_TO_BENDIAN_INT64(x)
#define B_BENDIAN_TO_HOST_FLOAT(x)	B_HOST_TO_BENDIAN_FLOAT(x)
#define B_BENDIAN_TO_HOST_DOUBLE(x)	B_HOST_TO_BENDIAN_DOUBLE(x)

#define B_SWAP_INT16(x)		__swap_int16(x)
#define B_SWAP_INT32(x)		__swap_int32(x)
#define B_SWAP_INT64(x)		__swap_int64(x)
#define B_SWAP_FLOAT(x)		__swap_float(x)
#define B_SWAP_DOUBLE(x)	__swap_double(x)

#endif	// _BYTE_ORDER_H
