#include <Messenger.h>

#include <Application.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "app/AppPrivate.h"
#include "app/LooperRegistry.h"
#include "app/MessagePrivate.h"

#include <strings.h>
#include <tuple>

using BPrivate::MessageAccess;


BMessenger::BMessenger()
	:
	fTeam(-1),
	fLooperToken(BPrivate::kNoToken),
	fHandlerToken(BPrivate::kNoToken)
{
}


BMessenger::BMessenger(const char* signature, team_id team, status_t* result)
	:
	BMessenger()
{
	status_t status = B_BAD_VALUE;
	if (signature != NULL && signature[0] != '\0') {
		if (be_app != NULL && be_app->Signature() != NULL
			&& strcasecmp(be_app->Signature(), signature) == 0
			&& (team < 0 || team == current_team())) {
			fTeam = current_team();
			fLooperToken = MessageAccess::Token(be_app);
			fHandlerToken = fLooperToken;
			status = B_OK;
		} else {
			team_id remoteTeam;
			if (BPrivate::FindRemoteApplication(signature, &remoteTeam)
				&& (team < 0 || team == remoteTeam)) {
				fTeam = remoteTeam;
				fSignature = signature;
				status = B_OK;
			}
		}
	}
	if (result != NULL)
		*result = status;
}


BMessenger::BMessenger(const BHandler* handler, const BLooper* looper, status_t* result)
	:
	BMessenger()
{
	status_t status = B_OK;
	if (handler != NULL) {
		BLooper* owner = handler->Looper();
		if (owner == NULL)
			status = B_BAD_HANDLER;
		else if (looper != NULL && looper != owner)
			status = B_MISMATCHED_VALUES;
		else {
			fTeam = current_team();
			fLooperToken = MessageAccess::Token(owner);
			fHandlerToken = MessageAccess::Token(handler);
		}
	} else if (looper != NULL) {
		fTeam = current_team();
		fLooperToken = MessageAccess::Token(looper);
		fHandlerToken = BPrivate::kPreferredToken;
	} else
		status = B_BAD_VALUE;
	if (result != NULL)
		*result = status;
}


BMessenger::BMessenger(const BMessenger& other)
	:
	fTeam(other.fTeam),
	fLooperToken(other.fLooperToken),
	fHandlerToken(other.fHandlerToken),
	fSignature(other.fSignature)
{
}


BMessenger::~BMessenger()
{
}


BMessenger&
BMessenger::operator=(const BMessenger& other)
{
	fTeam = other.fTeam;
	fLooperToken = other.fLooperToken;
	fHandlerToken = other.fHandlerToken;
	fSignature = other.fSignature;
	return *this;
}


bool
BMessenger::operator==(const BMessenger& other) const
{
	return fTeam == other.fTeam && fLooperToken == other.fLooperToken
		&& fHandlerToken == other.fHandlerToken && fSignature == other.fSignature;
}


bool
BMessenger::operator!=(const BMessenger& other) const
{
	return !(*this == other);
}


bool
BMessenger::operator<(const BMessenger& other) const
{
	return std::tie(fTeam, fLooperToken, fHandlerToken, fSignature)
		< std::tie(other.fTeam, other.fLooperToken, other.fHandlerToken, other.fSignature);
}


bool
BMessenger::IsTargetLocal() const
{
	return fSignature.empty() && fTeam == current_team();
}


BHandler*
BMessenger::Target(BLooper** looper) const
{
	BLooper* targetLooper = NULL;
	BHandler* handler = NULL;
	if (IsTargetLocal()) {
		int32 looperToken;
		targetLooper = BPrivate::LooperOfToken(fLooperToken, &looperToken);
		if (targetLooper != NULL && looperToken != fLooperToken)
			targetLooper = NULL;
		if (targetLooper != NULL && fHandlerToken != BPrivate::kPreferredToken) {
			handler = fHandlerToken == fLooperToken ? targetLooper
				: BPrivate::HandlerInLooper(fHandlerToken, targetLooper);
			if (handler == NULL)
				targetLooper = NULL;
		}
	}
	if (looper != NULL)
		*looper = targetLooper;
	return handler;
}


bool
BMessenger::LockTarget() const
{
	return LockTargetWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BMessenger::LockTargetWithTimeout(bigtime_t timeout) const
{
	if (!IsTargetLocal())
		return B_BAD_VALUE;
	std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::LockOfLooper(fLooperToken);
	if (!lock)
		return B_BAD_VALUE;
	status_t status = lock->Acquire(timeout);
	if (status != B_OK)
		return status;
	if (!IsValid()) {
		lock->Release();
		return B_BAD_VALUE;
	}
	return B_OK;
}


// #pragma mark - sending


namespace {

status_t
Deliver(const BMessenger& target, BMessage* message, const BMessenger* replyTo,
	const std::shared_ptr<BPrivate::ReplyWaiter>& waiter)
{
	if (message == NULL)
		return B_BAD_VALUE;
	if (!target.IsTargetLocal()) {
		if (MessageAccess::Signature(target).empty())
			return B_BAD_PORT_ID;
		return BPrivate::SendToRemoteApplication(MessageAccess::Signature(target).c_str(),
			target.Team(), message);
	}
	if (MessageAccess::LooperToken(target) == BPrivate::kNoToken)
		return B_BAD_PORT_ID;

	BMessage* copy = new BMessage(*message);
	const BMessage* previous = message->Previous();
	MessageAccess::PrepareDelivery(copy, MessageAccess::HandlerToken(target), replyTo,
		waiter, message->IsReply(), previous != NULL ? new BMessage(*previous) : NULL);
	MessageAccess::SetSourceRemote(copy, message->IsSourceRemote());
	return BPrivate::PostToLooper(MessageAccess::LooperToken(target), copy);
}

}	// namespace


status_t
BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}


status_t
BMessenger::SendMessage(BMessage* message, BHandler* replyTo, bigtime_t timeout) const
{
	if (replyTo == NULL)
		return Deliver(*this, message, NULL, NULL);
	BMessenger replyMessenger(replyTo);
	return Deliver(*this, message, &replyMessenger, NULL);
}


status_t
BMessenger::SendMessage(BMessage* message, BMessenger replyTo, bigtime_t timeout) const
{
	return Deliver(*this, message, &replyTo, NULL);
}


status_t
BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}


status_t
BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t deliveryTimeout,
	bigtime_t replyTimeout) const
{
	if (message == NULL || reply == NULL)
		return B_BAD_VALUE;
	if (!IsTargetLocal()) {
		status_t status = Deliver(*this, message, NULL, NULL);
		if (status == B_OK)
			*reply = BMessage(B_NO_REPLY);
		return status;
	}
	// The loop that would answer is the one waiting here.
	BLooper* ownLooper = BLooper::LooperForThread(find_thread(NULL));
	if (ownLooper != NULL && MessageAccess::Token(ownLooper) == fLooperToken)
		return B_MESSAGE_TO_SELF;

	std::shared_ptr<BPrivate::ReplyWaiter> waiter = std::make_shared<BPrivate::ReplyWaiter>();
	status_t status = Deliver(*this, message, NULL, waiter);
	if (status != B_OK)
		return status;
	return waiter->Wait(replyTimeout, reply);
}


bool
BMessenger::IsValid() const
{
	if (!fSignature.empty())
		return BPrivate::IsRemoteApplicationAlive(fSignature.c_str(), fTeam);
	if (fTeam != current_team() || fLooperToken == BPrivate::kNoToken)
		return false;
	return BPrivate::IsHandlerInLooper(fHandlerToken, fLooperToken);
}


team_id
BMessenger::Team() const
{
	return fTeam;
}
