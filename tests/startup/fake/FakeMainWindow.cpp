#include "QuorrelMainWindow.h"

#include <stdio.h>
#include <stdlib.h>

#include <Message.h>

QuorrelMainWindow* QuorrelMainWindow::sLastMade = NULL;
int32 QuorrelMainWindow::sMadeCount = 0;


QuorrelMainWindow::QuorrelMainWindow(BRect frame, BubbleHelper* help)
	:
	BWindow(frame, "Quorrel", B_TITLED_WINDOW, B_NOT_RESIZABLE),
	fInitialFrame(frame),
	fHelp(help)
{
	sLastMade = this;
	sMadeCount++;
}


QuorrelMainWindow::~QuorrelMainWindow()
{
	if (sLastMade == this)
		sLastMade = NULL;
}


void
QuorrelMainWindow::MessageReceived(BMessage* message)
{
	MainWindowMessage seen;
	seen.what = message->what;
	const char* marker = NULL;
	if (message->FindString("marker", &marker) == B_OK)
		seen.marker = marker;
	seen.fieldCount = message->CountNames(B_ANY_TYPE);
	std::lock_guard<std::mutex> guard(fRecordLock);
	fMessages.push_back(seen);
}


void
QuorrelMainWindow::LoadFile(const char* path)
{
	_Record("LoadFile", path);
	// The probe program reports what it was handed through a file, for the test
	// that runs it twice.
	const char* log = getenv("QUORREL_PROBE_LOG");
	if (log != NULL) {
		FILE* file = fopen(log, "a");
		if (file != NULL) {
			fprintf(file, "%s\n", path);
			fclose(file);
		}
	}
}


void
QuorrelMainWindow::SaveFile(int index)
{
	_Record("SaveFile", std::to_string(index));
}


void
QuorrelMainWindow::SetIsEnd(bool end)
{
	_Record("SetIsEnd", end ? "true" : "false");
}


void
QuorrelMainWindow::UpdateSize()
{
	_Record("UpdateSize", "");
}


void
QuorrelMainWindow::UpdateFontsAndColors()
{
	_Record("UpdateFontsAndColors", "");
}


std::vector<MainWindowCall>
QuorrelMainWindow::Calls()
{
	std::lock_guard<std::mutex> guard(fRecordLock);
	return fCalls;
}


void
QuorrelMainWindow::ClearCalls()
{
	std::lock_guard<std::mutex> guard(fRecordLock);
	fCalls.clear();
}


std::vector<MainWindowMessage>
QuorrelMainWindow::Messages()
{
	std::lock_guard<std::mutex> guard(fRecordLock);
	return fMessages;
}


void
QuorrelMainWindow::_Record(const char* operation, const std::string& argument)
{
	MainWindowCall call;
	call.operation = operation;
	call.argument = argument;
	call.locked = LockingThread() == find_thread(NULL);
	std::lock_guard<std::mutex> guard(fRecordLock);
	fCalls.push_back(call);
}
