#pragma once

// A visitor for std::visit made of several lambdas, one per alternative:
//   std::visit(Overloaded {[](int) {...}, [](const QString&) {...}}, value);
template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;
