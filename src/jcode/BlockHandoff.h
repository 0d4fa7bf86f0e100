// Blocks of output handed from a thread that converts a later part of a file to the thread that writes the
// file in order, so that the writing of one part overlaps the converting of the next.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class TBlockHandoff {
public:
    // The converting thread: a block of converted bytes, or a run of the file's own bytes (which outlive
    // the handoff), in order; Close when done, also when the conversion failed.
    void Give(std::string&& block);
    void Give(std::string_view run);
    void Close();
    // A buffer the writer is done with, empty when there is none yet: reusing it spares the page faults of
    // fresh memory.
    std::string Spare();

    // The writing thread: every block to write as it comes, until the converting thread closes.
    void WriteAll(const std::function<void(std::string_view)>& write);

private:
    struct TBlock {
        std::string owned;
        std::string_view run;
    };
    void Put(TBlock&& block);

    std::mutex mutex_;
    std::condition_variable given_;
    std::deque<TBlock> blocks_;
    std::vector<std::string> spares_;
    bool closed_ = false;
};

} // namespace brenvik
