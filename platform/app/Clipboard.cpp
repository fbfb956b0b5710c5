#include <Clipboard.h>

#include <AppDefs.h>
#include <Message.h>

#include "app/ClipboardHooks.h"

#include <algorithm>
#include <map>

namespace {

const char* const kTextType = "text/plain";

struct SharedClipboard {
	BMessage				data;
	uint32					count = 0;
	std::vector<BMessenger>	watchers;
};

struct ClipboardStore {
	std::mutex				lock;
	std::map<std::string, SharedClipboard> clipboards;
	BPrivate::clipboard_read_hook	readHook = NULL;
	BPrivate::clipboard_write_hook	writeHook = NULL;
	// The desktop text that the store last saw, to notice changes made outside.
	std::string				lastSystemText;
};


ClipboardStore&
TheStore()
{
	static ClipboardStore* sStore = new ClipboardStore;
	return *sStore;
}


bool
IsSystem(const std::string& name)
{
	return name == "system";
}


std::string
TextOf(const BMessage& data)
{
	const void* text;
	ssize_t length;
	if (data.FindData(kTextType, B_MIME_TYPE, &text, &length) != B_OK)
		return std::string();
	return std::string((const char*)text, (size_t)length);
}


// Takes in text that the desktop's clipboard got from another program.
void
PullSystemText()
{
	ClipboardStore& store = TheStore();
	BPrivate::clipboard_read_hook read;
	{
		std::lock_guard<std::mutex> guard(store.lock);
		read = store.readHook;
	}
	std::string text;
	if (read == NULL || !read(&text))
		return;
	std::lock_guard<std::mutex> guard(store.lock);
	if (text == store.lastSystemText)
		return;
	store.lastSystemText = text;
	SharedClipboard& shared = store.clipboards["system"];
	if (TextOf(shared.data) == text)
		return;
	shared.data.MakeEmpty();
	shared.data.AddData(kTextType, B_MIME_TYPE, text.data(), (ssize_t)text.size());
	shared.count++;
}

}	// namespace


namespace BPrivate {

void
SetSystemClipboardHooks(clipboard_read_hook read, clipboard_write_hook write)
{
	ClipboardStore& store = TheStore();
	std::lock_guard<std::mutex> guard(store.lock);
	store.readHook = read;
	store.writeHook = write;
	store.lastSystemText.clear();
}

}	// namespace BPrivate


BClipboard* be_clipboard = new BClipboard("system");


BClipboard::BClipboard(const char* name, bool transient)
	:
	fName(name != NULL ? name : "system"),
	fData(new BMessage),
	fCount(0),
	fOwner(-1),
	fLockCount(0)
{
}


BClipboard::~BClipboard()
{
	delete fData;
}


const char*
BClipboard::Name() const
{
	return fName.c_str();
}


uint32
BClipboard::LocalCount() const
{
	return fCount;
}


uint32
BClipboard::SystemCount() const
{
	ClipboardStore& store = TheStore();
	std::lock_guard<std::mutex> guard(store.lock);
	return store.clipboards[fName].count;
}


status_t
BClipboard::StartWatching(BMessenger target)
{
	if (!target.IsValid())
		return B_BAD_VALUE;
	ClipboardStore& store = TheStore();
	std::lock_guard<std::mutex> guard(store.lock);
	std::vector<BMessenger>& watchers = store.clipboards[fName].watchers;
	if (std::find(watchers.begin(), watchers.end(), target) == watchers.end())
		watchers.push_back(target);
	return B_OK;
}


status_t
BClipboard::StopWatching(BMessenger target)
{
	ClipboardStore& store = TheStore();
	std::lock_guard<std::mutex> guard(store.lock);
	std::vector<BMessenger>& watchers = store.clipboards[fName].watchers;
	std::vector<BMessenger>::iterator found
		= std::find(watchers.begin(), watchers.end(), target);
	if (found == watchers.end())
		return B_BAD_VALUE;
	watchers.erase(found);
	return B_OK;
}


bool
BClipboard::Lock()
{
	fLock.lock();
	if (fLockCount++ == 0) {
		fOwner = find_thread(NULL);
		_Download();
	}
	return true;
}


void
BClipboard::Unlock()
{
	if (fLockCount <= 0)
		return;
	if (--fLockCount == 0)
		fOwner = -1;
	fLock.unlock();
}


bool
BClipboard::IsLocked() const
{
	return fLockCount > 0 && fOwner == find_thread(NULL);
}


void
BClipboard::_Download()
{
	if (IsSystem(fName))
		PullSystemText();
	ClipboardStore& store = TheStore();
	std::lock_guard<std::mutex> guard(store.lock);
	SharedClipboard& shared = store.clipboards[fName];
	if (shared.count != fCount || fCount == 0) {
		*fData = shared.data;
		fCount = shared.count;
	}
}


status_t
BClipboard::Clear()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	fData->MakeEmpty();
	return B_OK;
}


status_t
BClipboard::Commit()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	ClipboardStore& store = TheStore();
	std::vector<BMessenger> watchers;
	BPrivate::clipboard_write_hook write = NULL;
	std::string text;
	{
		std::lock_guard<std::mutex> guard(store.lock);
		SharedClipboard& shared = store.clipboards[fName];
		shared.data = *fData;
		fCount = ++shared.count;
		watchers = shared.watchers;
		if (IsSystem(fName)) {
			write = store.writeHook;
			text = TextOf(shared.data);
			store.lastSystemText = text;
		}
	}
	if (write != NULL)
		write(text.data(), text.size());
	for (const BMessenger& watcher : watchers)
		watcher.SendMessage(B_CLIPBOARD_CHANGED);
	return B_OK;
}


status_t
BClipboard::Revert()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	ClipboardStore& store = TheStore();
	std::lock_guard<std::mutex> guard(store.lock);
	SharedClipboard& shared = store.clipboards[fName];
	*fData = shared.data;
	fCount = shared.count;
	return B_OK;
}


BMessenger
BClipboard::DataSource() const
{
	return BMessenger();
}


BMessage*
BClipboard::Data() const
{
	return fData;
}
