#include "UserColors.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <Errors.h>

#include <atomic>


namespace {

const int kComponentCount = 3 * UserColors::kCount;

// Parses one decimal component: digits only, 0 to 255. Three digits at most, so a
// long run of digits can never overflow.
bool
ParseComponent(const char* token, size_t length, uint8* value)
{
	if (length == 0 || length > 3)
		return false;
	int number = 0;
	for (size_t i = 0; i < length; i++) {
		if (token[i] < '0' || token[i] > '9')
			return false;
		number = number * 10 + (token[i] - '0');
	}
	if (number > 255)
		return false;
	*value = (uint8)number;
	return true;
}


bool
IsSeparator(char c)
{
	return c == ' ' || c == '\t' || c == '\r';
}


status_t
ErrorFromErrno()
{
	switch (errno) {
		case ENOENT:
		case ENOTDIR:
			return B_ENTRY_NOT_FOUND;
		case EACCES:
		case EPERM:
		case EROFS:
			return B_PERMISSION_DENIED;
		default:
			return B_IO_ERROR;
	}
}


bool
WriteAll(int fd, const char* data, size_t length)
{
	while (length > 0) {
		ssize_t written = write(fd, data, length);
		if (written < 0) {
			if (errno == EINTR)
				continue;
			return false;
		}
		data += written;
		length -= (size_t)written;
	}
	return true;
}

std::atomic<uint32> sTemporaryCounter{0};

}	// namespace


rgb_color
UserColors::DefaultColor(int slot)
{
	if (slot < 0 || slot >= kCount)
		slot = 0;
	uint8 level = (uint8)(slot * 255 / (kCount - 1));
	rgb_color color = { level, level, level, 255 };
	return color;
}


void
UserColors::SetDefaults(rgb_color colors[kCount])
{
	for (int slot = 0; slot < kCount; slot++)
		colors[slot] = DefaultColor(slot);
}


int
UserColors::Parse(const char* line, size_t length, rgb_color colors[kCount])
{
	if (line == NULL)
		return 0;
	if (length > (size_t)kLineLength)
		length = kLineLength;

	uint8 components[kComponentCount];
	bool valid[kComponentCount] = {};
	int count = 0;

	size_t position = 0;
	while (position < length && count < kComponentCount) {
		char c = line[position];
		if (c == '\n' || c == '\0')
			break;
		if (IsSeparator(c)) {
			position++;
			continue;
		}
		size_t start = position;
		while (position < length && line[position] != '\n' && line[position] != '\0'
			&& !IsSeparator(line[position])) {
			position++;
		}
		valid[count] = ParseComponent(line + start, position - start,
			&components[count]);
		count++;
	}

	int taken = 0;
	for (int slot = 0; slot < kCount; slot++) {
		int first = slot * 3;
		if (!valid[first] || !valid[first + 1] || !valid[first + 2])
			continue;
		colors[slot].red = components[first];
		colors[slot].green = components[first + 1];
		colors[slot].blue = components[first + 2];
		colors[slot].alpha = 255;
		taken++;
	}
	return taken;
}


int
UserColors::Format(const rgb_color colors[kCount], char* line, size_t size)
{
	if (line == NULL || size == 0)
		return -1;
	int length = snprintf(line, size,
		"%u %u %u %u %u %u %u %u %u %u %u %u %u %u %u ",
		colors[0].red, colors[0].green, colors[0].blue,
		colors[1].red, colors[1].green, colors[1].blue,
		colors[2].red, colors[2].green, colors[2].blue,
		colors[3].red, colors[3].green, colors[3].blue,
		colors[4].red, colors[4].green, colors[4].blue);
	if (length < 0 || (size_t)length >= size) {
		line[0] = '\0';
		return -1;
	}
	return length;
}


status_t
UserColors::Read(const char* path, rgb_color colors[kCount])
{
	if (path == NULL)
		return B_BAD_VALUE;
	FILE* file = fopen(path, "r");
	if (file == NULL)
		return ErrorFromErrno();

	// Only the first line counts; a longer line is cut at kLineLength bytes.
	char line[kLineLength + 1];
	size_t length = fread(line, 1, kLineLength, file);
	bool failed = ferror(file) != 0;
	fclose(file);
	if (failed)
		return B_IO_ERROR;

	Parse(line, length, colors);
	return B_OK;
}


status_t
UserColors::Write(const char* path, const rgb_color colors[kCount])
{
	if (path == NULL)
		return B_BAD_VALUE;

	char line[128];
	int length = Format(colors, line, sizeof(line));
	if (length < 0)
		return B_ERROR;

	// The temporary file lies beside the target, so the rename stays on one file
	// system and replaces the old file in one step.
	size_t pathLength = strlen(path);
	size_t temporarySize = pathLength + 64;
	char* temporary = new char[temporarySize];
	snprintf(temporary, temporarySize, "%s.tmp-%d-%u", path, (int)getpid(),
		(unsigned)sTemporaryCounter.fetch_add(1));

	status_t status = B_OK;
	int fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
	if (fd < 0) {
		status = ErrorFromErrno();
		delete[] temporary;
		return status;
	}

	// Keep the old file's permissions.
	struct stat old;
	if (stat(path, &old) == 0)
		fchmod(fd, old.st_mode & 07777);

	if (!WriteAll(fd, line, (size_t)length) || fsync(fd) != 0)
		status = ErrorFromErrno();
	if (close(fd) != 0 && status == B_OK)
		status = ErrorFromErrno();
	if (status == B_OK && rename(temporary, path) != 0)
		status = ErrorFromErrno();
	if (status != B_OK)
		unlink(temporary);

	delete[] temporary;
	return status;
}
