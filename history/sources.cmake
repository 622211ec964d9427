# Sources of history/.
