# Tests of history/.
