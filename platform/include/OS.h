/*
 * The kernel calls: threads, semaphores, time and atomic operations.
 *
 * Threads are POSIX threads with a registry of BeOS thread ids; a spawned thread waits
 * until resume_thread, as on BeOS. Ids are never reused within a process. Threads that
 * spawn_thread did not create (main, threads of other libraries) get an id the first time
 * they call into the kernel.
 *
 * kill_thread ends a thread that sits in snooze, acquire_sem(_etc), wait_for_thread or a
 * BLocker wait at once; a thread that is computing ends at its next such call. Unlike
 * R5, the killed thread is unwound like a C++ exception (destructors run, a BAutolock
 * unlocks), and BLockers it still holds are released, so no lock is left held. A thread
 * that wait_for_thread sees killed exits with B_INTERRUPTED. Because the unwinding is an
 * exception, a blocking call inside a noexcept function of a killed thread terminates
 * the process; kill threads at their blocking points, as BeOS code does.
 *
 * suspend_thread of another thread takes effect at that thread's next blocking call.
 */
#ifndef _OS_H
#define _OS_H

#include <SupportDefs.h>

#define B_OS_NAME_LENGTH	32
#define B_INFINITE_TIMEOUT	INT64_MAX

typedef int32 thread_id;
typedef int32 sem_id;
typedef int32 team_id;

typedef int32 (*thread_func)(void* data);

enum {
	B_LOW_PRIORITY					= 5,
	B_NORMAL_PRIORITY				= 10,
	B_DISPLAY_PRIORITY				= 15,
	B_URGENT_DISPLAY_PRIORITY		= 20,
	B_REAL_TIME_DISPLAY_PRIORITY	= 100,
	B_URGENT_PRIORITY				= 110,
	B_REAL_TIME_PRIORITY			= 120
};

// Flags for acquire_sem_etc and release_sem_etc.
enum {
	B_CAN_INTERRUPT		= 0x01,
	B_DO_NOT_RESCHEDULE	= 0x02,
	B_CHECK_PERMISSION	= 0x04,
	B_TIMEOUT			= 0x08,
	B_RELATIVE_TIMEOUT	= 0x08,
	B_ABSOLUTE_TIMEOUT	= 0x10
};

typedef enum {
	B_THREAD_RUNNING = 1,
	B_THREAD_READY,
	B_THREAD_RECEIVING,
	B_THREAD_ASLEEP,
	B_THREAD_SUSPENDED,
	B_THREAD_WAITING
} thread_state;

typedef struct {
	thread_id		thread;
	team_id			team;
	char			name[B_OS_NAME_LENGTH];
	thread_state	state;
	int32			priority;
	sem_id			sem;
	bigtime_t		user_time;
	bigtime_t		kernel_time;
	void*			stack_base;
	void*			stack_end;
} thread_info;

typedef struct {
	sem_id		sem;
	team_id		team;
	char		name[B_OS_NAME_LENGTH];
	int32		count;
	thread_id	latest_holder;
} sem_info;

// Threads
thread_id	spawn_thread(thread_func function, const char* name, int32 priority, void* data);
status_t	resume_thread(thread_id thread);
status_t	suspend_thread(thread_id thread);
status_t	kill_thread(thread_id thread);
status_t	rename_thread(thread_id thread, const char* newName);
status_t	set_thread_priority(thread_id thread, int32 newPriority);
status_t	wait_for_thread(thread_id thread, status_t* exitValue);
void		exit_thread(status_t status);
thread_id	find_thread(const char* name);
status_t	get_thread_info(thread_id thread, thread_info* info);
status_t	on_exit_thread(void (*callback)(void*), void* data);

// Time. system_time is monotonic, in microseconds.
status_t	snooze(bigtime_t microseconds);
status_t	snooze_until(bigtime_t time, int timeBase);
bigtime_t	system_time(void);
uint32		real_time_clock(void);
bigtime_t	real_time_clock_usecs(void);

#define B_SYSTEM_TIMEBASE 0

// Semaphores
sem_id		create_sem(int32 count, const char* name);
status_t	delete_sem(sem_id sem);
status_t	acquire_sem(sem_id sem);
status_t	acquire_sem_etc(sem_id sem, int32 count, uint32 flags, bigtime_t timeout);
status_t	release_sem(sem_id sem);
status_t	release_sem_etc(sem_id sem, int32 count, uint32 flags);
status_t	get_sem_count(sem_id sem, int32* threadCount);
status_t	get_sem_info(sem_id sem, sem_info* info);

// Atomic operations; each returns the previous value.
int32		atomic_add(vint32* value, int32 addValue);
int32		atomic_and(vint32* value, int32 andValue);
int32		atomic_or(vint32* value, int32 orValue);
int32		atomic_get(vint32* value);
int32		atomic_set(vint32* value, int32 newValue);
int32		atomic_test_and_set(vint32* value, int32 newValue, int32 testAgainst);
int64		atomic_add64(vint64* value, int64 addValue);
int64		atomic_and64(vint64* value, int64 andValue);
int64		atomic_or64(vint64* value, int64 orValue);
int64		atomic_get64(vint64* value);
int64		atomic_set64(vint64* value, int64 newValue);

// Teams
team_id		current_team(void);

// Prints the message; aborts in debug builds (unless the environment variable
// QUORREL_DEBUGGER is "continue"), continues in release builds.
void		debugger(const char* message);

#endif	// _OS_H
