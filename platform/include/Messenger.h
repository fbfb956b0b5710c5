/*
 * BMessenger: an address of a message target, a handler in a looper of this process or
 * a running application. A messenger names its target by registry ids, never by
 * pointer, so IsValid() stays correct after the target has been deleted.
 *
 * A messenger to another process (made from the signature of an application that runs
 * elsewhere with single launch) delivers messages one way: a reply cannot cross the
 * process boundary, so a synchronous send gets a B_NO_REPLY reply.
 *
 * Sending a message synchronously to the looper whose thread is sending would wait for
 * ever on R5; here it fails at once with B_MESSAGE_TO_SELF.
 */
#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <OS.h>

#include <string>

class BHandler;
class BLooper;
class BMessage;

namespace BPrivate {
	class MessageAccess;
}

class BMessenger {
public:
								BMessenger();
	// A messenger to the running application with this signature: be_app when it is
	// this process's own, otherwise an instance in another process that listens for
	// a single launch. team, when not -1, must match that application's team.
								BMessenger(const char* signature, team_id team = -1,
									status_t* result = NULL);
	// A messenger to handler in its looper; with handler null, to the preferred
	// handler of looper.
								BMessenger(const BHandler* handler,
									const BLooper* looper = NULL, status_t* result = NULL);
								BMessenger(const BMessenger& other);
								~BMessenger();

			BMessenger&			operator=(const BMessenger& other);
			bool				operator==(const BMessenger& other) const;
			bool				operator!=(const BMessenger& other) const;
			bool				operator<(const BMessenger& other) const;

	// The target. Target returns null for a remote target or one that is gone; it
	// does not lock anything, so the pointers are only safe while the looper lives.
			bool				IsTargetLocal() const;
			BHandler*			Target(BLooper** looper) const;
			bool				LockTarget() const;
			status_t			LockTargetWithTimeout(bigtime_t timeout) const;

	// Sending. The message is copied; the caller keeps it.
			status_t			SendMessage(uint32 command, BHandler* replyTo = NULL) const;
			status_t			SendMessage(BMessage* message, BHandler* replyTo = NULL,
									bigtime_t timeout = B_INFINITE_TIMEOUT) const;
			status_t			SendMessage(BMessage* message, BMessenger replyTo,
									bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	// Sending and waiting for the reply. A target that quits or drops the message
	// without answering gives a B_NO_REPLY reply; a reply that does not come within
	// replyTimeout gives B_TIMED_OUT.
			status_t			SendMessage(uint32 command, BMessage* reply) const;
			status_t			SendMessage(BMessage* message, BMessage* reply,
									bigtime_t deliveryTimeout = B_INFINITE_TIMEOUT,
									bigtime_t replyTimeout = B_INFINITE_TIMEOUT) const;

			bool				IsValid() const;
			team_id				Team() const;

private:
	friend class BPrivate::MessageAccess;

			team_id				fTeam;
			int32				fLooperToken;
			int32				fHandlerToken;
			// The signature of a remote application; empty for local targets.
			std::string			fSignature;
};

#endif	// _MESSENGER_H
