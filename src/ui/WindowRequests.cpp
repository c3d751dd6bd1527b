#include "ui/WindowRequests.h"

WindowRequests& WindowRequests::instance()
{
    static WindowRequests requests;
    return requests;
}
