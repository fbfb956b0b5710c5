/*
 * BAutolock: locks a BLocker (or a BLooper, or anything with Lock and Unlock) for the
 * lifetime of the object. IsLocked says whether the lock was had.
 */
#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

#include <Locker.h>

class BAutolock {
public:
	inline					BAutolock(BLocker* locker);
	inline					BAutolock(BLocker& locker);

	// Any object with bool Lock() and void Unlock(), such as a BLooper.
	template<typename Lockable>
	inline					BAutolock(Lockable* lockable);

	inline					~BAutolock();

	inline	bool			IsLocked();
	// Unlocks early; the destructor then does nothing.
	inline	void			Unlock();

private:
							BAutolock(const BAutolock&);
			BAutolock&		operator=(const BAutolock&);

			void*			fTarget;
			void			(*fUnlock)(void* target);
			bool			fIsLocked;
};


inline
BAutolock::BAutolock(BLocker* locker)
	:
	fTarget(locker),
	fUnlock([](void* target) { static_cast<BLocker*>(target)->Unlock(); }),
	fIsLocked(locker != nullptr && locker->Lock())
{
}


inline
BAutolock::BAutolock(BLocker& locker)
	:
	BAutolock(&locker)
{
}


template<typename Lockable>
inline
BAutolock::BAutolock(Lockable* lockable)
	:
	fTarget(lockable),
	fUnlock([](void* target) { static_cast<Lockable*>(target)->Unlock(); }),
	fIsLocked(lockable != nullptr && lockable->Lock())
{
}


inline
BAutolock::~BAutolock()
{
	Unlock();
}


inline bool
BAutolock::IsLocked()
{
	return fIsLocked;
}


inline void
BAutolock::Unlock()
{
	if (fIsLocked) {
		fIsLocked = false;
		fUnlock(fTarget);
	}
}

#endif	// _AUTOLOCK_H
