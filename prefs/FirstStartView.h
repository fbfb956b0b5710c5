/*
 * FirstStartView: the contents of the first-start wizard.
 *
 * Five stages share the view: 0 welcome, 1 language, 2 name and e-mail, 3 encoding,
 * 4 end. Every control of every stage is built up front; a stage's controls are added
 * to the view when it is drawn and removed when the user leaves it, so values entered
 * on a stage stay in their controls when the user comes back. The texts are fixed
 * English, since no language has been chosen yet.
 */
#ifndef FIRST_START_VIEW_H
#define FIRST_START_VIEW_H

#include <View.h>

class BBitmap;
class BListView;
class BMenuField;
class BScrollView;
class BTextControl;
class BTextView;
class Glossan;
class QuorrelTools;
class varkel;

class FirstStartView : public BView {
public:
	static	const int32			kStageCount = 5;
	static	const int32			kTextSize = 256;

								FirstStartView(BRect frame, const char* name);
	virtual						~FirstStartView();

	virtual	void				Draw(BRect updateRect);

	// Leaves the current stage (taking its answers) for the next one; at stage 3 the
	// window is told to show "End" on its next button.
			void				nextStage();
	// Goes back one stage; leaving stage 4 restores "Next >".
			void				prevStage();
			int32				GetStage() const { return fStage; }

	// Stores the chosen encoding name (at most 255 characters).
			void				setEncoding(const char* name);

	// Writes "language", "name", "email", "encoding", "icons" and "gfx_dir", in this
	// order, to a new "Settings/settings". Returns 0, or -1 when the file cannot be
	// written.
			int32				SaveConf();

	// Engraved lines: black, then a light line one pixel below or right of it.
			void				HLine(int x, int y, int length);
			void				VLine(int x, int y, int length);

	// The answers taken so far.
			const char*			Language() const { return fLanguage; }
			const char*			UserName() const { return fUserName; }
			const char*			Email() const { return fEmail; }
			const char*			Encoding() const { return fEncoding; }

private:
			void				_BuildTexts(float right);
			void				_BuildLanguageList(float right);
			void				_BuildFields(float right);
			void				_BuildEncodingField(float right);
			BTextView*			_MakeText(BRect frame, const char* name, const char* text);
			void				_AttachStage(int32 stage);
			void				_DetachStage(int32 stage);
			void				_TakeAnswers(int32 stage);
			void				_TellWindow(uint32 what);
	static	void				_CopyText(char* target, const char* text);

			BBitmap*			fLogo;
			QuorrelTools*		fTools;
			varkel*				fSettings;
			int32				fStage;
			bool				fAttached[kStageCount];
			BTextView*			fWelcomeText;
			BTextView*			fLanguageText;
			BTextView*			fNameText;
			BTextView*			fEndText;
			BTextView*			fEncodingText;
			BScrollView*		fLanguageScroller;
			Glossan*			fDictionary;
			BListView*			fLanguageList;
			BTextControl*		fNameField;
			BTextControl*		fEmailField;
			char				fLanguage[kTextSize];
			char				fUserName[kTextSize];
			char				fEmail[kTextSize];
			char				fEncoding[kTextSize];
			BMenuField*			fEncodingField;
};

#endif	// FIRST_START_VIEW_H
