#pragma once
// Runs one statement of a handler whose errors are passed over: the handler
// goes on with its next statement whatever this one threw.
template <class F>
void passOver(F&& statement)
{
    try {
        statement();
    } catch (...) {
    }
}
