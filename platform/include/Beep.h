/*
 * beep(): the system alert sound. On Linux this rings the terminal bell on standard
 * error when that is a terminal, and does nothing otherwise.
 */
#ifndef _BEEP_H
#define _BEEP_H

#include <SupportDefs.h>

status_t	beep();

#endif	// _BEEP_H
