#include "interface/textview/TextStore.h"

#include <Errors.h>

namespace BPrivate {


TextStore::TextStore(const BFont& font, rgb_color color)
	:
	fStyles(font, color)
{
}


TextStore::~TextStore()
{
}


status_t
TextStore::Insert(int32 offset, const char* bytes, int32 length, int32 style)
{
	if (style >= fStyles.CountStyles())
		return B_BAD_VALUE;
	status_t status = fText.Insert(offset, bytes, length);
	if (status != B_OK || length == 0)
		return status;

	status = fLines.TextInserted(offset, bytes, length);
	if (status != B_OK) {
		fText.Remove(offset, offset + length);
		return status;
	}
	status = style < 0 ? fStyles.TextInserted(offset, length)
		: fStyles.TextInserted(offset, length, (uint16)style);
	if (status != B_OK) {
		fLines.TextRemoved(offset, offset + length);
		fText.Remove(offset, offset + length);
	}
	return status;
}


status_t
TextStore::Remove(int32 from, int32 to)
{
	status_t status = fText.Remove(from, to);
	if (status != B_OK)
		return status;
	fLines.TextRemoved(from, to);
	fStyles.TextRemoved(from, to);
	return B_OK;
}


status_t
TextStore::SetText(const char* bytes, int32 length, uint16 style)
{
	if (length < 0 || (bytes == NULL && length > 0) || style >= fStyles.CountStyles())
		return B_BAD_VALUE;
	// Each part makes room before it drops its old contents, so a failure part way
	// leaves the store empty rather than out of step.
	status_t status = fText.SetTo(bytes, length);
	if (status == B_OK)
		status = fLines.SetText(bytes, length);
	if (status == B_OK)
		status = fStyles.Reset(length, style);
	if (status != B_OK) {
		fText.SetTo(NULL, 0);
		fLines.SetText(NULL, 0);
		fStyles.Reset(0, 0);
	}
	return status;
}


size_t
TextStore::AllocatedBytes() const
{
	return fText.AllocatedBytes() + fLines.AllocatedBytes() + fStyles.AllocatedBytes();
}

}	// namespace BPrivate
