/*
 * BClipboard: a named store of data shared by the clipboard objects of the process;
 * be_clipboard is the "system" clipboard, which the display server ties to the
 * desktop's clipboard. Lock before reading or changing Data(); Commit publishes the
 * changes, Revert drops them. Text goes in as "text/plain" raw data (B_MIME_TYPE).
 */
#ifndef _CLIPBOARD_H
#define _CLIPBOARD_H

#include <Messenger.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class BMessage;

class BClipboard {
public:
								BClipboard(const char* name, bool transient = false);
	virtual						~BClipboard();

			const char*			Name() const;

	// How many times this object's data, and the shared data, were committed.
			uint32				LocalCount() const;
			uint32				SystemCount() const;

	// Watchers get B_CLIPBOARD_CHANGED after each commit.
			status_t			StartWatching(BMessenger target);
			status_t			StopWatching(BMessenger target);

	// Locking takes a fresh copy of the shared data when it changed meanwhile.
			bool				Lock();
			void				Unlock();
			bool				IsLocked() const;

			status_t			Clear();
			status_t			Commit();
			status_t			Revert();

			BMessenger			DataSource() const;
	// The data; only to be used with the clipboard locked.
			BMessage*			Data() const;

private:
								BClipboard(const BClipboard&);
			BClipboard&			operator=(const BClipboard&);

			void				_Download();

			std::string			fName;
			BMessage*			fData;
			uint32				fCount;
			std::recursive_mutex fLock;
			std::atomic<thread_id> fOwner;
			std::atomic<int32>	fLockCount;
};

extern BClipboard* be_clipboard;

#endif	// _CLIPBOARD_H
