#include "FirstStartWindow.h"

#include <Alert.h>
#include <Application.h>
#include <Message.h>

#include "BubbleHelper.h"
#include "EncodingTable.h"
#include "FirstStartView.h"
#include "QuorrelTools.h"
#include "XButton.h"


FirstStartWindow::FirstStartWindow(BRect frame, BubbleHelper* bubble)
	:
	BWindow(frame, "Welcome to Quorrel", B_TITLED_WINDOW,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE, B_CURRENT_WORKSPACE),
	fTools(new QuorrelTools),
	fPrevButton(NULL),
	fNextButton(NULL),
	fCancelButton(NULL),
	fView(NULL),
	fBubbleHelper(bubble),
	fPrevMessage(new BMessage(kFirstStartPrevious)),
	fNextMessage(new BMessage(kFirstStartNext)),
	fCancelMessage(new BMessage(kFirstStartCancel))
{
	fView = new FirstStartView(Bounds(), "FirstStartView");
	AddChild(fView);

	fPrevButton = new XButton(BRect(120, 215, 200, 235), "prev", "< Previous", "Go back",
		fPrevMessage, NULL, true, fBubbleHelper);
	fView->AddChild(fPrevButton);
	fNextButton = new XButton(BRect(220, 215, 300, 235), "next", "Next >", "Go next",
		fNextMessage, NULL, true, fBubbleHelper);
	fView->AddChild(fNextButton);
	fCancelButton = new XButton(BRect(350, 215, 420, 235), "cancel", "Cancel", "Cancel",
		fCancelMessage, NULL, true, fBubbleHelper);
	fView->AddChild(fCancelButton);
}


FirstStartWindow::~FirstStartWindow()
{
	// The buttons keep their messages without owning them; the views themselves go
	// with the window, so the messages are released only after that.
	if (fView != NULL) {
		fView->RemoveSelf();
		delete fView;
	}
	delete fPrevMessage;
	delete fNextMessage;
	delete fCancelMessage;
	delete fTools;
}


void
FirstStartWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kFirstStartPrevious:
			fView->prevStage();
			break;
		case kFirstStartNext:
			if (fView->GetStage() == FirstStartView::kStageCount - 1)
				_Finish();
			else
				fView->nextStage();
			break;
		case kFirstStartCancel:
			QuitRequested();
			break;
		case kFirstStartShowEnd:
			fNextButton->SetLabel("End");
			break;
		case kFirstStartShowNext:
			fNextButton->SetLabel("Next >");
			break;
		default:
		{
			int32 index = EncodingTable::IndexOfCode(message->what);
			if (index >= 0)
				fView->setEncoding(EncodingTable::LabelAt(index));
			break;
		}
	}
}


bool
FirstStartWindow::QuitRequested()
{
	be_app->PostMessage(B_QUIT_REQUESTED);
	return true;
}


void
FirstStartWindow::_Finish()
{
	if (fView->SaveConf() != 0) {
		// The application quits all the same; the user learns why the wizard will be
		// back at the next start.
		BAlert* alert = new BAlert("Quorrel",
			"I can`t write the settings file (Settings/settings). Your answers are not "
			"saved, so Quorrel will ask for them again at the next start.", "OK", NULL,
			NULL, B_WIDTH_AS_USUAL, B_STOP_ALERT);
		alert->Go();
	}
	QuitRequested();
}
