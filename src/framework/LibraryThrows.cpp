// The standard library throws its errors (a string too long, an index out of
// range...) through these helpers. Its own versions build the standard
// exception classes, which keep their message in the old reference-counted
// string: linked statically, they bring that whole second string class and its
// runtime, about 80 KB of the shipped program. These throw the same message as a
// plain exception; the program only reports an exception's text, and
// out-of-memory stays std::bad_alloc. Linked by the program only; the tests
// keep the standard versions.
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* message) : m_message(message) {}
    const char* what() const noexcept override { return m_message; }

private:
    const char* m_message;  // the library passes texts that live as long as the program
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_domain_error(const char* message) { throw LibraryError(message); }
void __throw_invalid_argument(const char* message) { throw LibraryError(message); }
void __throw_length_error(const char* message) { throw LibraryError(message); }
void __throw_logic_error(const char* message) { throw LibraryError(message); }
void __throw_out_of_range(const char* message) { throw LibraryError(message); }
// The format's numbers are left out: its text says what went wrong.
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_overflow_error(const char* message) { throw LibraryError(message); }
void __throw_range_error(const char* message) { throw LibraryError(message); }
void __throw_runtime_error(const char* message) { throw LibraryError(message); }
void __throw_underflow_error(const char* message) { throw LibraryError(message); }

}  // namespace std
