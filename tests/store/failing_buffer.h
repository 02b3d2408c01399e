#pragma once

#include <algorithm>
#include <streambuf>

namespace vellix {

// Passes the first limit bytes on to another buffer and refuses every byte after them,
// as a full disk would.
class FailingBuffer : public std::streambuf {
public:
    FailingBuffer(std::streambuf& target, std::streamsize limit) : target_(target), left_(limit) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }

    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::streamsize passed = target_.sputn(s, std::min(n, left_));
        left_ -= passed;
        return passed;
    }

    int sync() override { return target_.pubsync(); }

private:
    std::streambuf& target_;
    std::streamsize left_;
};

} // namespace vellix
