/*
 * Threads: the thread_id registry over POSIX threads.
 */

#include "kernel/KernelPrivate.h"

#include <Locker.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <map>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

namespace BPrivate {

namespace {

// How many exit values of dead threads are kept for late wait_for_thread calls.
const size_t kMaxDeadThreads = 4096;

typedef std::map<thread_id, std::shared_ptr<ThreadRecord> > ThreadMap;

// The tables live for the whole process, also while thread-local destructors run at
// exit, so they are deliberately never destroyed.
ThreadMap&
LiveThreads()
{
	static ThreadMap* sThreads = new ThreadMap;
	return *sThreads;
}


std::map<thread_id, status_t>&
DeadThreads()
{
	static std::map<thread_id, status_t>* sDead = new std::map<thread_id, status_t>;
	return *sDead;
}


thread_id sNextThreadID = 1;


void FinishThread(const std::shared_ptr<ThreadRecord>& record, status_t status);


// Holds the calling thread's record. For threads the kernel adopted, its destructor
// retires the record when the thread ends.
struct CurrentHolder {
	std::shared_ptr<ThreadRecord>	record;

	~CurrentHolder()
	{
		if (record && !record->spawned) {
			std::shared_ptr<ThreadRecord> ending = record;
			FinishThread(ending, ending->exitStatus);
		}
		record.reset();
	}
};

thread_local CurrentHolder tCurrent;


std::shared_ptr<ThreadRecord>
FindLocked(thread_id id)
{
	ThreadMap& threads = LiveThreads();
	ThreadMap::iterator found = threads.find(id);
	if (found == threads.end())
		return nullptr;
	return found->second;
}


void
SetNativeName(pthread_t thread, const std::string& name)
{
	// Linux keeps at most 15 bytes of a thread name.
	std::string shortName = name.substr(0, 15);
	pthread_setname_np(thread, shortName.c_str());
}


void
RememberDeadLocked(thread_id id, status_t status)
{
	std::map<thread_id, status_t>& dead = DeadThreads();
	dead[id] = status;
	if (dead.size() > kMaxDeadThreads)
		dead.erase(dead.begin());
}


void
RetireLocked(const std::shared_ptr<ThreadRecord>& record, status_t status)
{
	record->dead = true;
	record->exitStatus = status;
	record->state = B_THREAD_SUSPENDED;
	LiveThreads().erase(record->id);
	RememberDeadLocked(record->id, status);
	for (ThreadRecord* joiner : record->joiners)
		joiner->condition.notify_all();
}


void
FinishThread(const std::shared_ptr<ThreadRecord>& record, status_t status)
{
	std::vector<std::pair<void (*)(void*), void*> > callbacks;
	{
		std::lock_guard<std::mutex> lock(KernelLock());
		callbacks.swap(record->exitCallbacks);
		// From here on the thread is leaving anyway; its waits behave normally.
		record->unwinding = true;
	}
	for (auto it = callbacks.rbegin(); it != callbacks.rend(); ++it)
		it->first(it->second);

	std::lock_guard<std::mutex> lock(KernelLock());
	std::vector<BLocker*> held;
	held.swap(record->heldLockers);
	for (BLocker* locker : held)
		ForceReleaseLockerLocked(locker);
	RetireLocked(record, status);
}


void*
ThreadEntry(void* argument)
{
	std::shared_ptr<ThreadRecord>* passed
		= static_cast<std::shared_ptr<ThreadRecord>*>(argument);
	std::shared_ptr<ThreadRecord> record = *passed;
	delete passed;
	tCurrent.record = record;
	{
		std::lock_guard<std::mutex> lock(KernelLock());
		SetNativeName(pthread_self(), record->name);
	}

	status_t status;
	try {
		status = record->function(record->data);
	} catch (const ThreadKilled&) {
		status = B_INTERRUPTED;
	} catch (const ThreadExited& exited) {
		status = exited.status;
	}
	FinishThread(record, status);
	tCurrent.record.reset();
	return nullptr;
}


// Starts the pthread of a spawned thread. Called with the lock held.
status_t
StartLocked(const std::shared_ptr<ThreadRecord>& record)
{
	pthread_attr_t attributes;
	pthread_attr_init(&attributes);
	pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
	std::shared_ptr<ThreadRecord>* passed = new std::shared_ptr<ThreadRecord>(record);
	int error = pthread_create(&record->pthread, &attributes, ThreadEntry, passed);
	pthread_attr_destroy(&attributes);
	if (error != 0) {
		delete passed;
		RetireLocked(record, B_NO_MORE_THREADS);
		return B_NO_MORE_THREADS;
	}
	record->started = true;
	record->suspended = false;
	record->state = B_THREAD_RUNNING;
	return B_OK;
}


std::string
ClippedName(const char* name, const char* fallback)
{
	std::string result(name != nullptr ? name : fallback);
	if (result.size() > B_OS_NAME_LENGTH - 1)
		result.resize(B_OS_NAME_LENGTH - 1);
	return result;
}

}	// unnamed namespace


std::mutex&
KernelLock()
{
	static std::mutex* sLock = new std::mutex;
	return *sLock;
}


ThreadRecord*
CurrentThreadRecordLocked()
{
	if (tCurrent.record)
		return tCurrent.record.get();

	std::shared_ptr<ThreadRecord> record = std::make_shared<ThreadRecord>();
	record->id = sNextThreadID++;
	record->spawned = false;
	record->started = true;
	record->suspended = false;
	record->state = B_THREAD_RUNNING;
	record->pthread = pthread_self();
	char name[16] = {};
	if (pthread_getname_np(record->pthread, name, sizeof(name)) != 0 || name[0] == '\0')
		strcpy(name, "unnamed thread");
	record->name = name;
	LiveThreads()[record->id] = record;
	tCurrent.record = record;
	return record.get();
}


ThreadRecord*
CurrentThreadRecord()
{
	if (tCurrent.record)
		return tCurrent.record.get();
	std::lock_guard<std::mutex> lock(KernelLock());
	return CurrentThreadRecordLocked();
}


bool
IsKillPending(const ThreadRecord* self)
{
	// While a killed thread unwinds, its destructors may still lock and wait; those
	// waits must work, or the unwinding could not finish.
	return self->killed && !self->unwinding && std::uncaught_exceptions() == 0;
}


status_t
WaitUntil(std::unique_lock<std::mutex>& lock, ThreadRecord* self, bigtime_t deadline)
{
	status_t status = InterruptibleWait(lock, self, deadline, [] { return false; });
	return status == B_TIMED_OUT ? B_OK : status;
}


status_t
HonourSuspension(std::unique_lock<std::mutex>& lock, ThreadRecord* self)
{
	if (!self->suspended)
		return IsKillPending(self) ? B_INTERRUPTED : B_OK;
	thread_state previous = self->state;
	self->state = B_THREAD_SUSPENDED;
	status_t status = InterruptibleWait(lock, self, B_INFINITE_TIMEOUT,
		[self] { return !self->suspended; });
	self->state = previous;
	return status;
}


void
UnwindKilledThread()
{
	ThreadRecord* self = CurrentThreadRecord();
	if (self->spawned)
		throw ThreadKilled();

	{
		std::lock_guard<std::mutex> lock(KernelLock());
		self->unwinding = true;
		self->exitStatus = B_INTERRUPTED;
	}
	pthread_exit(nullptr);
}


void
NoteLockerAcquired(BLocker* locker)
{
	std::lock_guard<std::mutex> lock(KernelLock());
	CurrentThreadRecordLocked()->heldLockers.push_back(locker);
}


void
NoteLockerReleased(BLocker* locker, thread_id owner)
{
	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<ThreadRecord> record = FindLocked(owner);
	if (!record)
		return;
	std::vector<BLocker*>& held = record->heldLockers;
	std::vector<BLocker*>::iterator found = std::find(held.begin(), held.end(), locker);
	if (found != held.end())
		held.erase(found);
}


std::chrono::steady_clock::time_point
SteadyPointFor(bigtime_t systemTime)
{
	// Steady clock points count nanoseconds, so a deadline past about 290 years (an
	// "infinite" one, or a long snooze) would overflow; a century is as good as never.
	const bigtime_t kFarFuture = 100LL * 365 * 24 * 3600 * 1000000;
	return std::chrono::steady_clock::time_point(
		std::chrono::microseconds(std::min(systemTime, kFarFuture)));
}

}	// namespace BPrivate


using namespace BPrivate;


// The main thread gets its id when the library loads, so that find_thread by name can
// find it before it ever asked for its own id.
__attribute__((constructor)) static void
AdoptLoadingThread()
{
	CurrentThreadRecord();
}


thread_id
spawn_thread(thread_func function, const char* name, int32 priority, void* data)
{
	if (function == nullptr)
		return B_BAD_VALUE;

	std::shared_ptr<ThreadRecord> record = std::make_shared<ThreadRecord>();
	record->name = ClippedName(name, "unnamed thread");
	record->priority = priority;
	record->function = function;
	record->data = data;
	record->spawned = true;
	record->suspended = true;
	record->state = B_THREAD_SUSPENDED;

	std::lock_guard<std::mutex> lock(KernelLock());
	record->id = sNextThreadID++;
	LiveThreads()[record->id] = record;
	return record->id;
}


status_t
resume_thread(thread_id thread)
{
	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<ThreadRecord> record = FindLocked(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	if (!record->started)
		return StartLocked(record);
	if (!record->suspended)
		return B_BAD_THREAD_STATE;
	record->suspended = false;
	record->condition.notify_all();
	return B_OK;
}


status_t
suspend_thread(thread_id thread)
{
	std::unique_lock<std::mutex> lock(KernelLock());
	std::shared_ptr<ThreadRecord> record = FindLocked(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	if (!record->started)
		return B_OK;
	record->suspended = true;

	ThreadRecord* self = CurrentThreadRecordLocked();
	if (record.get() != self)
		return B_OK;
	if (HonourSuspension(lock, self) == B_INTERRUPTED) {
		lock.unlock();
		UnwindKilledThread();
	}
	return B_OK;
}


status_t
kill_thread(thread_id thread)
{
	std::unique_lock<std::mutex> lock(KernelLock());
	std::shared_ptr<ThreadRecord> record = FindLocked(thread);
	if (!record)
		return B_BAD_THREAD_ID;

	record->killed = true;
	if (record.get() == CurrentThreadRecordLocked()) {
		lock.unlock();
		UnwindKilledThread();
	}
	if (!record->started) {
		// A thread that never ran just goes away.
		RetireLocked(record, B_INTERRUPTED);
		return B_OK;
	}
	record->suspended = false;
	record->condition.notify_all();
	return B_OK;
}


status_t
rename_thread(thread_id thread, const char* newName)
{
	if (newName == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<ThreadRecord> record = FindLocked(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	record->name = ClippedName(newName, "");
	// The record leaves the table only from its own thread, under this lock, so the
	// pthread is still alive here.
	if (record->started)
		SetNativeName(record->pthread, record->name);
	return B_OK;
}


status_t
set_thread_priority(thread_id thread, int32 newPriority)
{
	if (newPriority < 1 || newPriority > B_REAL_TIME_PRIORITY)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<ThreadRecord> record = FindLocked(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	int32 previous = record->priority;
	record->priority = newPriority;
	return previous;
}


status_t
wait_for_thread(thread_id thread, status_t* exitValue)
{
	std::unique_lock<std::mutex> lock(KernelLock());
	ThreadRecord* self = CurrentThreadRecordLocked();
	if (HonourSuspension(lock, self) == B_INTERRUPTED) {
		lock.unlock();
		UnwindKilledThread();
	}

	std::shared_ptr<ThreadRecord> record = FindLocked(thread);
	if (!record) {
		std::map<thread_id, status_t>::iterator dead = DeadThreads().find(thread);
		if (dead == DeadThreads().end())
			return B_BAD_THREAD_ID;
		if (exitValue != nullptr)
			*exitValue = dead->second;
		return B_OK;
	}
	if (record.get() == self)
		return B_BAD_THREAD_ID;

	if (!record->started) {
		status_t status = StartLocked(record);
		if (status != B_OK)
			return status;
	}

	record->joiners.push_back(self);
	thread_state previous = self->state;
	self->state = B_THREAD_WAITING;
	status_t status = InterruptibleWait(lock, self, B_INFINITE_TIMEOUT,
		[&record] { return record->dead; });
	self->state = previous;
	std::vector<ThreadRecord*>& joiners = record->joiners;
	joiners.erase(std::remove(joiners.begin(), joiners.end(), self), joiners.end());

	if (status == B_INTERRUPTED) {
		lock.unlock();
		UnwindKilledThread();
	}
	if (exitValue != nullptr)
		*exitValue = record->exitStatus;
	return B_OK;
}


void
exit_thread(status_t status)
{
	ThreadRecord* self = CurrentThreadRecord();
	if (self->spawned)
		throw ThreadExited{status};
	{
		std::lock_guard<std::mutex> lock(KernelLock());
		self->exitStatus = status;
		self->unwinding = true;
	}
	pthread_exit(nullptr);
}


thread_id
find_thread(const char* name)
{
	if (name == nullptr)
		return CurrentThreadRecord()->id;

	std::lock_guard<std::mutex> lock(KernelLock());
	for (const auto& entry : LiveThreads()) {
		if (!entry.second->dead && entry.second->name == name)
			return entry.first;
	}
	return B_NAME_NOT_FOUND;
}


status_t
get_thread_info(thread_id thread, thread_info* info)
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(KernelLock());
	std::shared_ptr<ThreadRecord> record = FindLocked(thread);
	if (!record)
		return B_BAD_THREAD_ID;

	memset(info, 0, sizeof(thread_info));
	info->thread = record->id;
	info->team = getpid();
	strncpy(info->name, record->name.c_str(), B_OS_NAME_LENGTH - 1);
	info->state = record->state;
	info->priority = record->priority;
	info->sem = record->waitingSem;
	if (record.get() == CurrentThreadRecordLocked()) {
		struct timespec used;
		if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used) == 0)
			info->user_time = (bigtime_t)used.tv_sec * 1000000 + used.tv_nsec / 1000;
	}
	return B_OK;
}


status_t
on_exit_thread(void (*callback)(void*), void* data)
{
	if (callback == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(KernelLock());
	CurrentThreadRecordLocked()->exitCallbacks.emplace_back(callback, data);
	return B_OK;
}


team_id
current_team(void)
{
	return getpid();
}
