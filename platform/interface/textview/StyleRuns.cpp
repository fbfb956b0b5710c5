#include "interface/textview/StyleRuns.h"

#include <Errors.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace BPrivate {

namespace {

inline uint64
Mix(uint64 hash, const void* data, size_t length)
{
	const uint8* bytes = static_cast<const uint8*>(data);
	for (size_t i = 0; i < length; i++) {
		hash ^= bytes[i];
		hash *= 0x100000001b3ull;
	}
	return hash;
}


template<typename T>
inline uint64
MixValue(uint64 hash, T value)
{
	return Mix(hash, &value, sizeof(value));
}

}	// namespace


StyleRuns::StyleRuns(const BFont& font, rgb_color color, int32 maxStyles)
	:
	fMaxStyles(std::clamp(maxStyles, (int32)1, kMaxStyles))
{
	TextStyle style = { font, color };
	fStyles.push_back(style);
	fLookup.emplace(_Hash(style), 0);
	for (uint16& recent : fRecent)
		recent = 0;
}


StyleRuns::~StyleRuns()
{
}


const TextStyle&
StyleRuns::StyleAt(uint16 index) const
{
	if (index >= fStyles.size())
		return fStyles[0];
	return fStyles[index];
}


status_t
StyleRuns::Intern(const BFont& font, rgb_color color, uint16* index)
{
	if (index == NULL)
		return B_BAD_VALUE;
	for (uint16 recent : fRecent) {
		const TextStyle& candidate = fStyles[recent];
		if (candidate.color == color && candidate.font == font) {
			*index = recent;
			return B_OK;
		}
	}

	TextStyle style = { font, color };
	uint64 hash = _Hash(style);
	int32 found = _Find(style, hash);
	if (found < 0) {
		status_t status = _Add(style, hash, index);
		if (status != B_OK)
			return status;
		found = *index;
	}
	memmove(fRecent + 1, fRecent, sizeof(fRecent) - sizeof(fRecent[0]));
	fRecent[0] = (uint16)found;
	*index = (uint16)found;
	return B_OK;
}


status_t
StyleRuns::Reset(int32 length, uint16 style)
{
	if (length < 0 || style >= fStyles.size())
		return B_BAD_VALUE;
	return fByteStyles.AssignFill(style, length) ? B_OK : B_NO_MEMORY;
}


status_t
StyleRuns::SetStyle(int32 from, int32 to, uint16 style)
{
	if (!_ValidRange(from, to) || style >= fStyles.size())
		return B_BAD_VALUE;
	fByteStyles.Fill(from, to, style);
	return B_OK;
}


status_t
StyleRuns::SetStyle(int32 from, int32 to, const BFont* font, uint32 mask,
	const rgb_color* color)
{
	if (!_ValidRange(from, to))
		return B_BAD_VALUE;
	if (font == NULL)
		mask = 0;
	mask &= B_FONT_ALL;
	if (from == to || (mask == 0 && color == NULL))
		return B_OK;

	// The common case, a whole font and a colour: one style for the whole range.
	if (mask == B_FONT_ALL && color != NULL) {
		uint16 index;
		status_t status = Intern(*font, *color, &index);
		if (status != B_OK)
			return status;
		fByteStyles.Fill(from, to, index);
		return B_OK;
	}

	// Otherwise each style in the range changes in its own way. Find them first, so
	// that a table about to fill up is compacted before any index is mapped.
	std::unordered_map<uint16, uint16> mapping;
	for (int32 offset = from; offset < to;) {
		int32 count;
		const uint16* styles = fByteStyles.Stretch(offset, &count);
		count = std::min(count, to - offset);
		for (int32 i = 0; i < count; i++)
			mapping.emplace(styles[i], styles[i]);
		offset += count;
	}
	if (CountStyles() + (int32)mapping.size() > fMaxStyles) {
		status_t status = _Compact((int32)mapping.size());
		if (status != B_OK)
			return status;
		return SetStyle(from, to, font, mask, color);
	}

	for (auto& entry : mapping) {
		TextStyle changed = fStyles[entry.first];
		if (mask != 0)
			_Merge(changed, *font, mask);
		if (color != NULL)
			changed.color = *color;
		status_t status = Intern(changed.font, changed.color, &entry.second);
		if (status != B_OK)
			return status;
	}

	uint16 lastOld = mapping.begin()->first;
	uint16 lastNew = mapping.begin()->second;
	for (int32 offset = from; offset < to;) {
		int32 count;
		uint16* styles = fByteStyles.MutableStretch(offset, &count);
		count = std::min(count, to - offset);
		for (int32 i = 0; i < count; i++) {
			if (styles[i] != lastOld) {
				lastOld = styles[i];
				lastNew = mapping[lastOld];
			}
			styles[i] = lastNew;
		}
		offset += count;
	}
	return B_OK;
}


uint16
StyleRuns::StyleIndexAt(int32 offset) const
{
	if (Length() == 0)
		return 0;
	return fByteStyles.At(std::clamp(offset, (int32)0, Length() - 1));
}


uint16
StyleRuns::InsertionStyle(int32 offset) const
{
	return StyleIndexAt(offset > 0 ? offset - 1 : 0);
}


status_t
StyleRuns::TextInserted(int32 offset, int32 length)
{
	if (offset < 0 || offset > Length())
		return B_BAD_VALUE;
	return TextInserted(offset, length, InsertionStyle(offset));
}


status_t
StyleRuns::TextInserted(int32 offset, int32 length, uint16 style)
{
	if (offset < 0 || offset > Length() || length < 0 || style >= fStyles.size())
		return B_BAD_VALUE;
	if (length > INT32_MAX - 16 - Length())
		return B_NO_MEMORY;
	return fByteStyles.InsertFill(offset, style, length) ? B_OK : B_NO_MEMORY;
}


status_t
StyleRuns::TextRemoved(int32 from, int32 to)
{
	if (!_ValidRange(from, to))
		return B_BAD_VALUE;
	fByteStyles.Remove(from, to - from);
	return B_OK;
}


text_run_array*
StyleRuns::GetRuns(int32 from, int32 to, int32* outSize) const
{
	if (!_ValidRange(from, to))
		return NULL;
	int32 count = std::max(CountRuns(from, to), (int32)1);
	text_run_array* array = AllocRunArray(count, outSize);
	if (array == NULL)
		return NULL;

	if (from == to) {
		const TextStyle& style = fStyles[InsertionStyle(from)];
		array->runs[0].offset = 0;
		array->runs[0].font = style.font;
		array->runs[0].color = style.color;
		return array;
	}

	StyleRun run;
	int32 index = 0;
	for (int32 offset = from; GetRun(offset, to, &run); offset = run.end) {
		const TextStyle& style = fStyles[run.style];
		text_run& out = array->runs[index++];
		out.offset = run.start - from;
		out.font = style.font;
		out.color = style.color;
	}
	return array;
}


status_t
StyleRuns::SetRuns(int32 from, int32 to, const text_run_array* runs)
{
	if (!_ValidRange(from, to) || runs == NULL || runs->count < 1)
		return B_BAD_VALUE;
	int32 length = to - from;
	int32 start = 0;
	for (int32 i = 0; i < runs->count; i++) {
		start = std::clamp(runs->runs[i].offset, start, length);
		int32 end = i + 1 < runs->count
			? std::clamp(runs->runs[i + 1].offset, start, length) : length;
		status_t status = SetStyle(from + start, from + end, &runs->runs[i].font,
			B_FONT_ALL, &runs->runs[i].color);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}


bool
StyleRuns::GetRun(int32 offset, int32 to, StyleRun* run) const
{
	to = std::min(to, Length());
	if (offset < 0 || offset >= to || run == NULL)
		return false;

	uint16 style = fByteStyles.At(offset);
	int32 end = offset;
	while (end < to) {
		int32 count;
		const uint16* styles = fByteStyles.Stretch(end, &count);
		count = std::min(count, to - end);
		int32 i = 0;
		while (i < count && styles[i] == style)
			i++;
		end += i;
		if (i < count)
			break;
	}
	run->start = offset;
	run->end = end;
	run->style = style;
	return true;
}


int32
StyleRuns::CountRuns(int32 from, int32 to) const
{
	if (!_ValidRange(from, to))
		return 0;
	int32 runs = 0;
	uint16 previous = 0;
	for (int32 offset = from; offset < to;) {
		int32 count;
		const uint16* styles = fByteStyles.Stretch(offset, &count);
		count = std::min(count, to - offset);
		for (int32 i = 0; i < count; i++) {
			if (styles[i] != previous || (offset == from && i == 0))
				runs++;
			previous = styles[i];
		}
		offset += count;
	}
	return runs;
}


size_t
StyleRuns::AllocatedBytes() const
{
	return fByteStyles.AllocatedBytes() + fStyles.capacity() * sizeof(TextStyle)
		+ fLookup.bucket_count() * sizeof(void*)
		+ fLookup.size() * (sizeof(std::pair<uint64, uint16>) + 2 * sizeof(void*));
}


int32
StyleRuns::_Find(const TextStyle& style, uint64 hash) const
{
	auto range = fLookup.equal_range(hash);
	for (auto entry = range.first; entry != range.second; entry++) {
		if (fStyles[entry->second] == style)
			return entry->second;
	}
	return -1;
}


status_t
StyleRuns::_Add(const TextStyle& style, uint64 hash, uint16* index)
{
	if (CountStyles() >= fMaxStyles) {
		status_t status = _Compact(1);
		if (status != B_OK)
			return status;
	}
	try {
		fStyles.push_back(style);
		fLookup.emplace(hash, (uint16)(fStyles.size() - 1));
	} catch (const std::bad_alloc&) {
		if (fStyles.size() > fLookup.size())
			fStyles.pop_back();
		return B_NO_MEMORY;
	}
	*index = (uint16)(fStyles.size() - 1);
	return B_OK;
}


status_t
StyleRuns::_Compact(int32 needed)
{
	// Keep style 0 and every style some byte uses, in their order, and renumber the
	// bytes. Scanning the whole text is costly but happens only when the table fills.
	std::vector<int32> newIndex(fStyles.size(), -1);
	newIndex[0] = 0;
	for (int32 offset = 0; offset < Length();) {
		int32 count;
		const uint16* styles = fByteStyles.Stretch(offset, &count);
		for (int32 i = 0; i < count; i++)
			newIndex[styles[i]] = 0;
		offset += count;
	}
	int32 kept = 0;
	for (size_t i = 0; i < newIndex.size(); i++) {
		if (newIndex[i] == 0)
			newIndex[i] = kept++;
	}
	if (kept + needed > fMaxStyles)
		return B_NO_MEMORY;

	std::vector<TextStyle> styles;
	styles.reserve(kept);
	for (size_t i = 0; i < newIndex.size(); i++) {
		if (newIndex[i] >= 0)
			styles.push_back(fStyles[i]);
	}
	fStyles.swap(styles);
	fLookup.clear();
	for (size_t i = 0; i < fStyles.size(); i++)
		fLookup.emplace(_Hash(fStyles[i]), (uint16)i);
	for (int32 offset = 0; offset < Length();) {
		int32 count;
		uint16* bytes = fByteStyles.MutableStretch(offset, &count);
		for (int32 i = 0; i < count; i++)
			bytes[i] = (uint16)newIndex[bytes[i]];
		offset += count;
	}
	for (uint16& recent : fRecent)
		recent = 0;
	return B_OK;
}


void
StyleRuns::_Merge(TextStyle& style, const BFont& font, uint32 mask) const
{
	if ((mask & B_FONT_ALL) == B_FONT_ALL) {
		style.font = font;
		return;
	}
	BFont& target = style.font;
	if ((mask & B_FONT_FAMILY_AND_STYLE) != 0) {
		font_family family;
		font_style fontStyle;
		font.GetFamilyAndStyle(&family, &fontStyle);
		target.SetFamilyAndStyle(family, fontStyle);
	}
	if ((mask & B_FONT_SIZE) != 0)
		target.SetSize(font.Size());
	if ((mask & B_FONT_SHEAR) != 0)
		target.SetShear(font.Shear());
	if ((mask & B_FONT_ROTATION) != 0)
		target.SetRotation(font.Rotation());
	if ((mask & B_FONT_SPACING) != 0)
		target.SetSpacing(font.Spacing());
	if ((mask & B_FONT_ENCODING) != 0)
		target.SetEncoding(font.Encoding());
	if ((mask & B_FONT_FACE) != 0)
		target.SetFace(font.Face());
	if ((mask & B_FONT_FLAGS) != 0)
		target.SetFlags(font.Flags());
}


uint64
StyleRuns::_Hash(const TextStyle& style)
{
	font_family family;
	font_style fontStyle;
	style.font.GetFamilyAndStyle(&family, &fontStyle);
	uint64 hash = 0xcbf29ce484222325ull;
	hash = Mix(hash, family, strnlen(family, sizeof(family)));
	hash = MixValue(hash, (uint8)0);
	hash = Mix(hash, fontStyle, strnlen(fontStyle, sizeof(fontStyle)));
	// Adding zero turns -0.0 into 0.0, which compare equal.
	hash = MixValue(hash, style.font.Size() + 0.0f);
	hash = MixValue(hash, style.font.Shear() + 0.0f);
	hash = MixValue(hash, style.font.Rotation() + 0.0f);
	hash = MixValue(hash, style.font.Spacing());
	hash = MixValue(hash, style.font.Encoding());
	hash = MixValue(hash, style.font.Face());
	hash = MixValue(hash, style.font.Flags());
	hash = MixValue(hash, style.color.red);
	hash = MixValue(hash, style.color.green);
	hash = MixValue(hash, style.color.blue);
	hash = MixValue(hash, style.color.alpha);
	return hash;
}

}	// namespace BPrivate
