/*
 * BControl: the base of the views that hold a value and tell a target when the user
 * changes it (buttons, check boxes, radio buttons, text fields, sliders, colour
 * controls).
 *
 * A control is a BView and a BInvoker. Invoke adds "when" (int64, system_time()),
 * "source" (pointer to the control) and "be:value" (int32) to a copy of the message, as
 * R5 does. When attached, a control takes its parent's view colour (the window's panel
 * colour when it has no parent) and, when no target was set, targets its window.
 */
#ifndef _CONTROL_H
#define _CONTROL_H

#include <Invoker.h>
#include <View.h>

#include <string>

enum {
	B_CONTROL_OFF = 0,
	B_CONTROL_ON = 1
};

class BControl : public BView, public BInvoker {
public:
								BControl(BRect frame, const char* name, const char* label,
									BMessage* message, uint32 resizingMode, uint32 flags);
	virtual						~BControl();

	virtual	void				AttachedToWindow();
	virtual	void				WindowActivated(bool active);
	// Space and Enter toggle the value and invoke, as R5's KeyDown does; Tab moves on.
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	// Redraws the control so that the focus mark follows the focus.
	virtual	void				MakeFocus(bool focus = true);

	virtual	void				SetLabel(const char* label);
			const char*			Label() const;
	// Sets the value and redraws when it changed.
	virtual	void				SetValue(int32 value);
			int32				Value() const;
	// A disabled control is drawn greyed, takes no input and is skipped by Tab.
	virtual	void				SetEnabled(bool enabled);
			bool				IsEnabled() const;

	virtual	void				GetPreferredSize(float* width, float* height);
	virtual	void				ResizeToPreferred();

	virtual	status_t			Invoke(BMessage* message = NULL);

protected:
	// True while MakeFocus runs, so Draw can tell a focus change from other updates.
			bool				IsFocusChanging() const;
			bool				IsTracking() const;
			void				SetTracking(bool tracking);
	// Changes the value without drawing.
			void				SetValueNoUpdate(int32 value);
	// Whether the focus mark should be shown: focused in an active window.
			bool				ShowsFocusMark() const;

private:
			std::string			fLabel;
			int32				fValue;
			bool				fEnabled;
			bool				fFocusChanging;
			bool				fTracking;
			bool				fWantsNavigation;
};

#endif	// _CONTROL_H
