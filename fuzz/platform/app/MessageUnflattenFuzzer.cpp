// Feeds arbitrary bytes to BMessage::Unflatten, and reads back every field of a
// message that parses, nested messages included, then flattens it again: the result
// must parse to the same bytes.
#include <Entry.h>
#include <Message.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

static void
ReadEveryField(const BMessage& message, int depth)
{
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count) == B_OK; i++) {
		for (int32 j = 0; j < count; j++) {
			const void* data;
			ssize_t size;
			if (message.FindData(name, type, j, &data, &size) != B_OK)
				abort();
			if (type == B_STRING_TYPE) {
				const char* text;
				if (message.FindString(name, j, &text) != B_OK || strlen(text) + 1 > (size_t)size)
					abort();
			} else if (type == B_REF_TYPE) {
				entry_ref ref;
				message.FindRef(name, j, &ref);
			} else if (type == B_MESSENGER_TYPE) {
				BMessenger messenger;
				message.FindMessenger(name, j, &messenger);
			} else if (type == B_MESSAGE_TYPE && depth < 8) {
				BMessage nested;
				if (message.FindMessage(name, j, &nested) == B_OK)
					ReadEveryField(nested, depth + 1);
			}
		}
	}
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage message;
	if (message.Unflatten((const char*)data, (ssize_t)size) != B_OK)
		return 0;
	ReadEveryField(message, 0);

	std::vector<char> again(message.FlattenedSize());
	if (message.Flatten(again.data(), (ssize_t)again.size()) != B_OK)
		abort();
	BMessage copy;
	if (copy.Unflatten(again.data(), (ssize_t)again.size()) != B_OK)
		abort();
	std::vector<char> third(copy.FlattenedSize());
	copy.Flatten(third.data(), (ssize_t)third.size());
	if (third != again)
		abort();
	return 0;
}
