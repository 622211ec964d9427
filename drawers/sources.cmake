# Sources of drawers/.
