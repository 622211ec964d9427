# Tests of drawers/.
