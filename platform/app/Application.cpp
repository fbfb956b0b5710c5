#include <Application.h>

#include <AppFileInfo.h>
#include <Message.h>
#include <MessageQueue.h>
#include <MessageRunner.h>
#include <Roster.h>

#include "app/AppPrivate.h"
#include "app/LooperRegistry.h"
#include "app/MessagePrivate.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

BApplication* be_app = NULL;
BMessenger be_app_messenger;


BApplication::BApplication(const char* signature)
	:
	BLooper("application"),
	fInitStatus(B_NO_INIT),
	fReadyToRunCalled(false),
	fPulseRate(500000),
	fPulseRunner(NULL),
	fListener(NULL),
	fFlags(B_MULTIPLE_LAUNCH)
{
	_Init(signature, NULL);
}


BApplication::BApplication(const char* signature, status_t* error)
	:
	BLooper("application"),
	fInitStatus(B_NO_INIT),
	fReadyToRunCalled(false),
	fPulseRate(500000),
	fPulseRunner(NULL),
	fListener(NULL),
	fFlags(B_MULTIPLE_LAUNCH)
{
	_Init(signature, error);
}


BApplication::~BApplication()
{
	_StopPulse();
	delete fListener;
	fListener = NULL;

	// Windows still open now go with the application, as on R5.
	for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
		std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::LockOfLooper(entry.token);
		if (!lock || lock->Acquire(B_INFINITE_TIMEOUT) != B_OK)
			continue;
		entry.looper->Quit();
	}

	if (be_app == this) {
		be_app = NULL;
		be_app_messenger = BMessenger();
	}
}


void
BApplication::_Init(const char* signature, status_t* error)
{
	status_t status = B_OK;
	if (signature == NULL || strncasecmp(signature, "application/", 12) != 0
		|| strlen(signature) >= B_MIME_TYPE_LENGTH) {
		status = B_BAD_VALUE;
	} else if (be_app != NULL)
		status = B_ALREADY_RUNNING;

	if (signature != NULL)
		fSignature = signature;
	fFlags = get_app_flags();

	if (status == B_OK) {
		be_app = this;
		be_app_messenger = BMessenger(this);
	}

	if (status == B_OK && (fFlags & B_LAUNCH_MASK) != B_MULTIPLE_LAUNCH) {
		team_id other = -1;
		fListener = BPrivate::SingleLaunchListener::Start(signature, &other);
		if (fListener == NULL && other >= 0) {
			// Another instance runs: it gets our arguments, and we are done.
			std::vector<std::string> arguments = BPrivate::ProcessArguments();
			BMessage message(B_SILENT_RELAUNCH);
			if (arguments.size() > 1)
				BPrivate::MakeArgvMessage(arguments, &message);
			BPrivate::SendToRemoteApplication(signature, other, &message);
			exit(0);
		}
	}

	fInitStatus = status;
	if (error != NULL)
		*error = status;
}


status_t
BApplication::InitCheck() const
{
	return fInitStatus;
}


const char*
BApplication::Signature() const
{
	return fSignature.c_str();
}


// #pragma mark - running


thread_id
BApplication::Run()
{
	if (fRunCalled)
		return fThread;
	fRunCalled = true;
	fThread = find_thread(NULL);
	fRunning = true;

	// The launch messages go ahead of anything posted before Run, so that
	// ReadyToRun comes first.
	std::vector<BMessage*> launch;
	std::vector<std::string> arguments = BPrivate::ProcessArguments();
	if (arguments.size() > 1) {
		launch.push_back(new BMessage(B_ARGV_RECEIVED));
		BPrivate::MakeArgvMessage(arguments, launch.back());
	}
	launch.push_back(new BMessage(B_READY_TO_RUN));
	for (std::vector<BMessage*>::reverse_iterator message = launch.rbegin();
			message != launch.rend(); message++) {
		BPrivate::MessageAccess::PrepareDelivery(*message, BPrivate::kNoToken, NULL, NULL,
			false, NULL);
		BPrivate::MessageAccess::AddToQueueFront(this, *message);
	}
	if (fPulseRate > 0 && fPulseRunner == NULL)
		_StartPulse();

	// Any locks the constructing thread still holds are given up for the loop.
	if (IsLocked())
		fLock->ReleaseAll();
	_RunLoop();
	if (IsLocked())
		fLock->ReleaseAll();

	_StopPulse();
	fRunning = false;
	fTerminating = false;
	return fThread;
}


void
BApplication::Quit()
{
	// Never deleted here: main deletes the application after Run returns.
	if (!fRunning) {
		if (IsLocked())
			fLock->ReleaseAll();
		return;
	}
	fDeleteOnExit = false;
	_PrepareTermination();
	if (find_thread(NULL) != fThread && IsLocked())
		fLock->ReleaseAll();
}


bool
BApplication::QuitRequested()
{
	for (const BPrivate::WindowEntry& entry : BPrivate::WindowLoopers()) {
		std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::LockOfLooper(entry.token);
		if (!lock || lock->Acquire(B_INFINITE_TIMEOUT) != B_OK)
			continue;
		// Holding the lock keeps the window alive; it may have left the list by now.
		bool stillThere = false;
		for (const BPrivate::WindowEntry& current : BPrivate::WindowLoopers())
			stillThere |= current.token == entry.token;
		if (!stillThere) {
			lock->Release();
			continue;
		}
		if (!entry.looper->QuitRequested()) {
			lock->Release();
			return false;
		}
		entry.looper->Quit();
	}
	return true;
}


void
BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
		case B_ARGV_RECEIVED:
			_ArgvMessage(message);
			break;
		case B_REFS_RECEIVED:
			RefsReceived(message);
			break;
		case B_READY_TO_RUN:
			// The application counts as launching until ReadyToRun returns.
			if (!fReadyToRunCalled) {
				ReadyToRun();
				fReadyToRunCalled = true;
			}
			break;
		case B_ABOUT_REQUESTED:
			AboutRequested();
			break;
		case B_PULSE:
			Pulse();
			break;
		case B_APP_ACTIVATED:
			AppActivated(message->FindBool("active"));
			break;
		case B_SILENT_RELAUNCH:
			break;
		default:
			BLooper::DispatchMessage(message, handler);
			break;
	}
}


void
BApplication::_ArgvMessage(BMessage* message)
{
	std::vector<char*> argv;
	const char* argument;
	for (int32 i = 0; message->FindString("argv", i, &argument) == B_OK; i++)
		argv.push_back(const_cast<char*>(argument));
	int32 argc = (int32)argv.size();
	argv.push_back(NULL);
	if (argc > 0)
		ArgvReceived(argc, argv.data());
}


void
BApplication::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}


void
BApplication::ReadyToRun()
{
}


void
BApplication::ArgvReceived(int32 argc, char** argv)
{
}


void
BApplication::RefsReceived(BMessage* message)
{
}


void
BApplication::AppActivated(bool active)
{
}


void
BApplication::AboutRequested()
{
}


void
BApplication::Pulse()
{
}


void
BApplication::SetPulseRate(bigtime_t rate)
{
	fPulseRate = rate < 0 ? 0 : rate;
	_StopPulse();
	if (fRunning && fPulseRate > 0)
		_StartPulse();
}


void
BApplication::_StartPulse()
{
	BMessage pulse(B_PULSE);
	fPulseRunner = new BMessageRunner(be_app_messenger, &pulse, fPulseRate);
}


void
BApplication::_StopPulse()
{
	delete fPulseRunner;
	fPulseRunner = NULL;
}


bool
BApplication::IsLaunching() const
{
	return !fReadyToRunCalled;
}


// #pragma mark - windows


int32
BApplication::CountWindows() const
{
	return (int32)BPrivate::WindowLoopers().size();
}


BWindow*
BApplication::WindowAt(int32 index) const
{
	std::vector<BPrivate::WindowEntry> windows = BPrivate::WindowLoopers();
	if (index < 0 || (size_t)index >= windows.size())
		return NULL;
	return windows[index].window;
}


// #pragma mark - information


status_t
BApplication::GetAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (fInitStatus != B_OK)
		return fInitStatus;
	info->thread = fThread >= 0 ? (thread_id)fThread : find_thread(NULL);
	info->team = current_team();
	info->port = -1;
	info->flags = fFlags;
	snprintf(info->signature, sizeof(info->signature), "%s", fSignature.c_str());

	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return B_ENTRY_NOT_FOUND;
	path[length] = '\0';
	char* slash = strrchr(path, '/');
	if (slash == NULL)
		return B_ENTRY_NOT_FOUND;
	*slash = '\0';
	info->ref.set_directory_path(path[0] != '\0' ? path : "/");
	info->ref.set_name(slash + 1);
	return B_OK;
}
