/*
 * QuorrelAboutView: the contents of the about window. The program's pictures on a
 * light blue strip at the left and the top, and the credits in a scrolling text that
 * can be selected and copied but not edited.
 */
#ifndef QUORREL_ABOUT_VIEW_H
#define QUORREL_ABOUT_VIEW_H

#include <View.h>

#include "QuorrelTools.h"

class BBitmap;
class BScrollView;
class BTextView;
class Glossan;

class QuorrelAboutView : public BView {
public:
	// The dictionary is not owned; the credits are not translated.
								QuorrelAboutView(BRect frame, const char* name,
									Glossan* dictionary);
	virtual						~QuorrelAboutView();

	virtual	void				Draw(BRect updateRect);

			BTextView*			CreditsView() const { return fCredits; }

	// The credits text shown in the window.
	static	const char*			Credits();

private:
			BBitmap*			_Load(const char* file);

			QuorrelTools		fTools;
			BBitmap*			fLogo;
			BBitmap*			fSecondLogo;
			BBitmap*			fVersion;
			BTextView*			fCredits;
			BScrollView*		fGreetings;
};

#endif	// QUORREL_ABOUT_VIEW_H
