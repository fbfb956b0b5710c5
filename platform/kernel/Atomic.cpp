/*
 * Atomic operations on 32- and 64-bit values; each returns the value before the change.
 */

#include <OS.h>


int32
atomic_add(vint32* value, int32 addValue)
{
	return __atomic_fetch_add(value, addValue, __ATOMIC_SEQ_CST);
}


int32
atomic_and(vint32* value, int32 andValue)
{
	return __atomic_fetch_and(value, andValue, __ATOMIC_SEQ_CST);
}


int32
atomic_or(vint32* value, int32 orValue)
{
	return __atomic_fetch_or(value, orValue, __ATOMIC_SEQ_CST);
}


int32
atomic_get(vint32* value)
{
	return __atomic_load_n(value, __ATOMIC_SEQ_CST);
}


int32
atomic_set(vint32* value, int32 newValue)
{
	return __atomic_exchange_n(value, newValue, __ATOMIC_SEQ_CST);
}


int32
atomic_test_and_set(vint32* value, int32 newValue, int32 testAgainst)
{
	int32 expected = testAgainst;
	__atomic_compare_exchange_n(value, &expected, newValue, false, __ATOMIC_SEQ_CST,
		__ATOMIC_SEQ_CST);
	return expected;
}


int64
atomic_add64(vint64* value, int64 addValue)
{
	return __atomic_fetch_add(value, addValue, __ATOMIC_SEQ_CST);
}


int64
atomic_and64(vint64* value, int64 andValue)
{
	return __atomic_fetch_and(value, andValue, __ATOMIC_SEQ_CST);
}


int64
atomic_or64(vint64* value, int64 orValue)
{
	return __atomic_fetch_or(value, orValue, __ATOMIC_SEQ_CST);
}


int64
atomic_get64(vint64* value)
{
	return __atomic_load_n(value, __ATOMIC_SEQ_CST);
}


int64
atomic_set64(vint64* value, int64 newValue)
{
	return __atomic_exchange_n(value, newValue, __ATOMIC_SEQ_CST);
}
