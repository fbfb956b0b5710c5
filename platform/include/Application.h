/*
 * BApplication: the application object. It is a looper whose loop runs in the thread
 * that calls Run; be_app points at it and be_app_messenger targets it.
 *
 * The process's arguments are read from /proc/self/cmdline, since the constructor takes
 * none. How the application declares its launch flags is in AppFileInfo.h.
 *
 * Single launch: when the application's flags ask for B_SINGLE_LAUNCH or
 * B_EXCLUSIVE_LAUNCH and another instance with the same signature already runs for
 * this user, the constructor hands this process's arguments and working folder to that
 * instance (which gets B_ARGV_RECEIVED with "argc", "argv" and "cwd", as on R5) and
 * ends the process with exit(0). R5 instead returned B_ALREADY_RUNNING through the
 * status argument; ending the process at once serves code written for R5 just as well,
 * which never runs an application whose construction failed.
 */
#ifndef _APPLICATION_H
#define _APPLICATION_H

#include <AppDefs.h>
#include <Looper.h>
#include <Messenger.h>

#include <string>

class BWindow;
struct app_info;

namespace BPrivate {
	class SingleLaunchListener;
}

class BApplication : public BLooper {
public:
								BApplication(const char* signature);
								BApplication(const char* signature, status_t* error);
	virtual						~BApplication();

	// Posts B_ARGV_RECEIVED when the process had arguments, then B_READY_TO_RUN, and
	// runs the loop in the calling thread until Quit. Returns that thread's id.
	virtual	thread_id			Run();
	// From the application's thread the loop ends after the current message; from
	// another thread the loop is told to end. The object is never deleted: main does.
	virtual	void				Quit();
	// Asks every window (locked) whether it may quit, quits those that agree, and
	// returns false as soon as one refuses.
	virtual	bool				QuitRequested();

	virtual	void				DispatchMessage(BMessage* message, BHandler* handler);
	virtual	void				MessageReceived(BMessage* message);

	// Hooks.
	virtual	void				ReadyToRun();
	virtual	void				ArgvReceived(int32 argc, char** argv);
	virtual	void				RefsReceived(BMessage* message);
	virtual	void				AppActivated(bool active);
	virtual	void				AboutRequested();
	virtual	void				Pulse();

			void				SetPulseRate(bigtime_t rate);
			bool				IsLaunching() const;
			status_t			InitCheck() const;
			const char*			Signature() const;

	// The windows of the application, in the order they were made.
			int32				CountWindows() const;
			BWindow*			WindowAt(int32 index) const;

			status_t			GetAppInfo(app_info* info) const;

private:
			void				_Init(const char* signature, status_t* error);
			void				_ArgvMessage(BMessage* message);
			void				_StartPulse();
			void				_StopPulse();

			std::string			fSignature;
			status_t			fInitStatus;
			bool				fReadyToRunCalled;
			bigtime_t			fPulseRate;
			class BMessageRunner* fPulseRunner;
			BPrivate::SingleLaunchListener* fListener;
			uint32				fFlags;
};

extern BApplication* be_app;
extern BMessenger be_app_messenger;

#endif	// _APPLICATION_H
