#include <MessageQueue.h>

#include <Message.h>

#include <algorithm>


BMessageQueue::BMessageQueue()
{
}


BMessageQueue::~BMessageQueue()
{
	std::deque<BMessage*> messages;
	{
		std::lock_guard<std::recursive_mutex> guard(fLock);
		messages.swap(fMessages);
	}
	// Deleted without the lock: a message may answer a waiting sender as it goes.
	for (BMessage* message : messages)
		delete message;
}


void
BMessageQueue::AddMessage(BMessage* message)
{
	if (message == NULL)
		return;
	std::lock_guard<std::recursive_mutex> guard(fLock);
	fMessages.push_back(message);
	fChanged.notify_all();
}


bool
BMessageQueue::RemoveMessage(BMessage* message)
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	std::deque<BMessage*>::iterator found
		= std::find(fMessages.begin(), fMessages.end(), message);
	if (found == fMessages.end())
		return false;
	fMessages.erase(found);
	return true;
}


BMessage*
BMessageQueue::NextMessage()
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	if (fMessages.empty())
		return NULL;
	BMessage* message = fMessages.front();
	fMessages.pop_front();
	return message;
}


int32
BMessageQueue::CountMessages() const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	return (int32)fMessages.size();
}


bool
BMessageQueue::IsEmpty() const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	return fMessages.empty();
}


BMessage*
BMessageQueue::FindMessage(int32 index) const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	if (index < 0 || (size_t)index >= fMessages.size())
		return NULL;
	return fMessages[index];
}


BMessage*
BMessageQueue::FindMessage(uint32 what, int32 index) const
{
	std::lock_guard<std::recursive_mutex> guard(fLock);
	for (BMessage* message : fMessages) {
		if (message->what == what && index-- == 0)
			return message;
	}
	return NULL;
}


bool
BMessageQueue::Lock()
{
	fLock.lock();
	return true;
}


void
BMessageQueue::Unlock()
{
	fLock.unlock();
}
