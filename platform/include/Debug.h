/*
 * Debugging helpers of the BeOS support kit. ASSERT and the PRINT family act only in
 * debug builds (QUORREL_DEBUG); DEBUGGER always reports through debugger().
 */
#ifndef _DEBUG_H
#define _DEBUG_H

#include <OS.h>

#include <cstdarg>
#include <cstdio>

// Prints to standard error, which stands in for the serial port of BeOS.
inline void
_debug_serial_printf(const char* format, ...)
{
	va_list arguments;
	va_start(arguments, format);
	vfprintf(stderr, format, arguments);
	va_end(arguments);
}

#define _DEBUG_STRINGIFY(x)		#x
#define _DEBUG_LINE_TEXT(x)		_DEBUG_STRINGIFY(x)

#define DEBUGGER(message)		debugger(message)

#ifdef QUORREL_DEBUG
#	define ASSERT(expression) \
		((expression) ? (void)0 : debugger("Assertion failed: " #expression \
			" (" __FILE__ ":" _DEBUG_LINE_TEXT(__LINE__) ")"))
#	define ASSERT_WITH_MESSAGE(expression, message) \
		((expression) ? (void)0 : debugger(message))
#	define PRINT(arguments)			(void)(printf arguments)
#	define SERIAL_PRINT(arguments)	(void)(_debug_serial_printf arguments)
#	define TRACE()					(void)fprintf(stderr, "%s:%d %s\n", __FILE__, \
										__LINE__, __func__)
#	define SPRINT(arguments)		PRINT(arguments)
#else
#	define ASSERT(expression)		(void)0
#	define ASSERT_WITH_MESSAGE(expression, message) (void)0
#	define PRINT(arguments)			(void)0
#	define SERIAL_PRINT(arguments)	(void)0
#	define TRACE()					(void)0
#	define SPRINT(arguments)		(void)0
#endif

#endif	// _DEBUG_H
