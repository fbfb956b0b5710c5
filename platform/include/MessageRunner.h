/*
 * BMessageRunner: sends a copy of a message to a target at a fixed interval, count
 * times (or for ever with a negative count), from a timer thread of its own. Deleting
 * the runner stops it.
 */
#ifndef _MESSAGE_RUNNER_H
#define _MESSAGE_RUNNER_H

#include <Messenger.h>

#include <memory>

class BMessage;

namespace BPrivate {
	struct RunnerState;
}

class BMessageRunner {
public:
								BMessageRunner(BMessenger target, const BMessage* message,
									bigtime_t interval, int32 count = -1);
								BMessageRunner(BMessenger target, const BMessage* message,
									bigtime_t interval, int32 count, BMessenger replyTo);
	virtual						~BMessageRunner();

			status_t			InitCheck() const;
			status_t			SetInterval(bigtime_t interval);
			status_t			SetCount(int32 count);
			status_t			GetInfo(bigtime_t* interval, int32* count) const;

private:
								BMessageRunner(const BMessageRunner&);
			BMessageRunner&		operator=(const BMessageRunner&);

			void				_Start(BMessenger target, const BMessage* message,
									bigtime_t interval, int32 count, BMessenger replyTo);

			std::shared_ptr<BPrivate::RunnerState> fState;
			status_t			fInitStatus;
};

#endif	// _MESSAGE_RUNNER_H
